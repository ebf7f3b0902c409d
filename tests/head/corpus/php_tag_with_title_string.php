<?php echo "<title>Zły</title>"; ?>
<title>Dobry</title>
