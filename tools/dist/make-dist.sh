#!/bin/sh
# Makes the package a Director author downloads:
#
#   make-dist.sh VERSION XTRA HOST ZIP
#
# writes ZIP (Marlowtide-VERSION-win32.zip) with Xtras/Marlowtide.x32,
# marlowhost.exe, the example movie scripts, the Lingo reference as Markdown
# and as one HTML page, README.txt, LICENSE and SHA256SUMS of every other file.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$1
xtra=$2
host=$3
name=$(basename "$4" .zip)
mkdir -p "$(dirname "$4")"
output=$(cd "$(dirname "$4")" && pwd)
stage="$output/$name"
rm -rf "$stage" "$output/$name.zip"
mkdir -p "$stage/Xtras" "$stage/examples" "$stage/docs"

# Windows' own editors want CR LF.
crlf() { sed 's/\r$//; s/$/\r/' "$1" > "$2"; }

cp "$xtra" "$stage/Xtras/Marlowtide.x32"
cp "$host" "$stage/marlowhost.exe"
for script in "$root"/examples/*.ls; do
    crlf "$script" "$stage/examples/$(basename "$script")"
done
crlf "$root/docs/package-readme.txt" "$stage/README.txt"
crlf "$root/LICENSE" "$stage/LICENSE"
crlf "$root/CHANGELOG.md" "$stage/docs/CHANGELOG.md"
crlf "$root/docs/lingo.md" "$stage/docs/lingo.md"

# The reference as one page that needs nothing beside it.
{
    cat <<HEAD
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Marlowtide $version: the Lingo reference</title>
<style>
body { font-family: Segoe UI, Tahoma, sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
code, pre { font-family: Consolas, Courier New, monospace; }
pre { background: #f4f4f4; padding: 0.6em 0.8em; overflow-x: auto; }
table { border-collapse: collapse; margin: 0.8em 0; }
th, td { border: 1px solid #bbb; padding: 0.25em 0.5em; vertical-align: top; text-align: left; }
th { background: #eee; }
</style>
</head>
<body>
HEAD
    # Headings get the ids GitHub gives them, for the reference's own links.
    cmark-gfm --extension table --to html "$root/docs/lingo.md" | python3 -c '
import re, sys
def with_id(heading):
    text = re.sub(r"<[^>]+>", "", heading.group(2)).lower()
    anchor = re.sub(r"[^a-z0-9 _-]", "", text).replace(" ", "-")
    return f"<h{heading.group(1)} id=\"{anchor}\">{heading.group(2)}</h{heading.group(1)}>"
sys.stdout.write(re.sub(r"<h([1-6])>(.*?)</h\1>", with_id, sys.stdin.read()))'
    printf '<hr>\n<p>Marlowtide %s</p>\n</body>\n</html>\n' "$version"
} > "$stage/docs/lingo.html"

(
    cd "$stage"
    find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort > "$output/$name.files"
    xargs sha256sum < "$output/$name.files" > SHA256SUMS
    echo SHA256SUMS >> "$output/$name.files"
    # One fixed time and no file-system details, so that the same sources
    # make the same zip.
    python3 - "$output/$name.zip" "$output/$name.files" <<'ZIP'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as archive, open(sys.argv[2]) as names:
    for name in names.read().split():
        entry = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        entry.external_attr = 0o644 << 16
        with open(name, "rb") as data:
            archive.writestr(entry, data.read(), compress_type=zipfile.ZIP_DEFLATED)
ZIP
)
rm -rf "$stage" "$output/$name.files"
echo "make-dist: $output/$name.zip ($(wc -c < "$output/$name.zip") bytes)"
