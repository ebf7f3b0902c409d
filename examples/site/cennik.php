<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<title>Cennik zajęć</title>
<link rel="stylesheet" href="/style.css">
</head>
<body>
<?php echo date("Y"); ?> <p>Ceny od 60 zł.</p>
</body>
</html>
