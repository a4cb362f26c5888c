// A tiny static file server for build-web/: 127.0.0.1 only, the types a
// browser needs (WebAssembly must come as application/wasm), no listing.
// Usage: node serve.js FOLDER PORT (PORT 0: any free port, printed on stdout).
"use strict";
const http = require("http");
const fs = require("fs");
const path = require("path");

const TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".json": "application/json", ".data": "application/octet-stream", ".asdb": "application/octet-stream",
  ".png": "image/png"
};

function serve(folder, port, onReady) {
  const root = path.resolve(folder);
  const server = http.createServer((req, res) => {
    let name = decodeURIComponent(new URL(req.url, "http://x").pathname);
    if (name.endsWith("/")) name += "index.html";
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep)) { res.writeHead(403); res.end(); return; }
    fs.stat(file, (err, st) => {
      if (err || !st.isFile()) { res.writeHead(404); res.end("not found"); return; }
      res.writeHead(200, {
        "Content-Type": TYPES[path.extname(file)] || "application/octet-stream",
        "Content-Length": st.size,
        "Cache-Control": "no-cache"
      });
      if (req.method === "HEAD") { res.end(); return; }
      fs.createReadStream(file).pipe(res);
    });
  });
  server.listen(port, "127.0.0.1", () => onReady(server.address().port));
  return server;
}

module.exports = { serve };

if (require.main === module) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) { console.error("usage: node serve.js FOLDER [PORT]"); process.exit(2); }
  serve(folder, Number(port || 8000), (p) => console.log("serving " + folder + " at http://127.0.0.1:" + p + "/"));
}
