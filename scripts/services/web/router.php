<?php
// Router of the test web server (PHP's built-in server, started by
// scripts/services/start). It answers the decoding service's endpoint and a
// few probes for the HTTP tests, and serves the files of the document root
// as they are: the update server's version text, and whatever the tests
// place there. Nothing under the document root is ever run as PHP.

$path = parse_url($_SERVER['REQUEST_URI'], PHP_URL_PATH) ?? '/';

switch ($path) {
case '/unserialize.php':
    // The order-data decoding service: the POST field "data" holds a
    // PHP-serialised value; the reply is that value as JSON.
    $value = unserialize($_POST['data'] ?? '', ['allowed_classes' => false]);
    header('Content-Type: application/json');
    echo json_encode($value);
    return true;

case '/test/bytes':
    // ?size=N: N bytes, byte i being (i * 31 + 7) % 256 (zero bytes included).
    $size = max(0, min((int)($_GET['size'] ?? 0), 64 << 20));
    header('Content-Type: application/octet-stream');
    header('Content-Length: ' . $size);
    $body = '';
    for ($i = 0; $i < $size; $i++) {
        $body .= chr(($i * 31 + 7) % 256);
    }
    echo $body;
    return true;

case '/test/redirect':
    // ?to=<path>: a 302 to that path on this server.
    header('Location: ' . ($_GET['to'] ?? '/'), true, 302);
    echo 'moved';
    return true;

case '/test/headers':
    // A header of its own, and the request's X-Xinghe-Request header as body.
    header('X-Xinghe-Probe: yes');
    $headers = array_change_key_case(getallheaders(), CASE_LOWER);
    echo $headers['x-xinghe-request'] ?? '';
    return true;

case '/test/echo':
    // The method, a line break, then the request body.
    echo $_SERVER['REQUEST_METHOD'], "\n", file_get_contents('php://input');
    return true;

case '/test/cookie':
    setcookie('xinghe_probe', 'yes', ['path' => '/']);
    echo 'cookie set';
    return true;
}

$root = realpath($_SERVER['DOCUMENT_ROOT']);
$file = realpath($root . $path);
if ($file !== false && is_file($file) && str_starts_with($file, $root . '/')) {
    header('Content-Type: text/plain');
    header('Content-Length: ' . filesize($file));
    readfile($file);
    return true;
}
http_response_code(404);
header('Content-Type: text/html');
echo "<html><body><h1>404 Not Found</h1></body></html>\n";
return true;
