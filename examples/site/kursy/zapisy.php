<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<title>Zapisy na zajęcia</title>
<link rel="stylesheet" href="/style.css">
</head>
<body>
<form method="post"><input name="imię"></form>
</body>
</html>
