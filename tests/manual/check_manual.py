#!/usr/bin/env python3
"""Checks the built Velmora.chm as the help viewer will read it: opened with libchm's own tools
(enum_chmLib, extract_chmLib), not with the script that wrote it.

- every page of manual/contents.txt is inside, in Japanese and in English, each linking to its
  counterpart;
- every link between pages and every #anchor resolves inside the file;
- the window title and the table of contents are Japanese text in code page 932 under
  language 0x411 (the viewer shows numeric character references or UTF-8 bytes literally);
- the table of contents lists every page under its own title, in reading order;
- the version took the place of its placeholder."""

import argparse
import html
import html.parser
import pathlib
import re
import struct
import subprocess
import sys
import tempfile

LANGUAGES = ("ja", "en")
EXTERNAL = ("http:", "https:", "mailto:")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.lang_links, self.html_lang = set(), [], [], None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("id", "name") if tag == "a" else ("id",):
            if attrs.get(key):
                self.ids.add(attrs[key])
        if tag == "html":
            self.html_lang = attrs.get("lang")
        for key in ("href", "src"):
            if attrs.get(key):
                self.links.append(attrs[key])
        if tag == "a" and "lang" in (attrs.get("class") or "").split():
            self.lang_links.append(attrs.get("href"))


def system_entries(data):
    """#SYSTEM: a version, then entries of code, length and data."""
    entries, position = {}, 4
    while position + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, position)
        entries[code] = data[position + 4:position + 4 + length]
        position += 4 + length
    return entries


def sitemap(text):
    """The (Name, Local) pairs of the table of contents, in order."""
    pairs = []
    for item in re.findall(r"<OBJECT type=\"text/sitemap\">(.*?)</OBJECT>", text, re.S | re.I):
        params = dict(re.findall(r'<param name="(\w+)" value="([^"]*)">', item, re.I))
        pairs.append((params.get("Name"), params.get("Local")))
    return pairs


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--chm", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    source = pathlib.Path(args.source)
    ids = [line.strip() for line in (source / "contents.txt").read_text("utf-8").splitlines()
           if line.strip() and not line.strip().startswith("#")]

    listing = subprocess.run(["enum_chmLib", args.chm], stdout=subprocess.PIPE, check=True, text=True).stdout
    listed = {line.split()[-1] for line in listing.splitlines() if line.strip().startswith(("0", "1"))}
    with tempfile.TemporaryDirectory() as folder:
        out = pathlib.Path(folder)
        subprocess.run(["extract_chmLib", args.chm, str(out)], stdout=subprocess.DEVNULL, check=True)
        files = {path.name: path for path in out.iterdir() if path.is_file()}
        check(all("/" + name in listed for name in files), "extracted files missing from the listing")

        pages = {}
        for name, path in files.items():
            if name.endswith(".html"):
                page = Page()
                text = path.read_text("utf-8")
                page.feed(text)
                pages[name] = (page, text)

        for page_id in ids:
            for language in LANGUAGES:
                name = f"{page_id}.{language}.html"
                check(name in pages, f"{name} is not in the CHM")
        check(len(pages) == 2 * len(ids), f"pages not in contents.txt: {sorted(pages)}")

        for name, (page, text) in sorted(pages.items()):
            page_id, language, _ = name.rsplit(".", 2)
            other = next(lang for lang in LANGUAGES if lang != language)
            check(page.html_lang == language, f"{name}: <html lang={page.html_lang!r}>")
            check(page.lang_links == [f"{page_id}.{other}.html"], f"{name}: language link {page.lang_links}")
            check("@VERSION@" not in text, f"{name}: the version placeholder is left")
            for link in page.links:
                if link.startswith(EXTERNAL):
                    continue
                target, _, anchor = link.partition("#")
                target = target or name
                check(target in files, f"{name}: link to {link!r}, no such file")
                if anchor and target in pages:
                    check(anchor in pages[target][0].ids, f"{name}: link to {link!r}, no such anchor")
        for language in LANGUAGES:
            check(args.version in pages.get(f"index.{language}.html", (None, ""))[1],
                  f"index.{language}.html does not name version {args.version}")

        system = system_entries((out / "#SYSTEM").read_bytes()) if (out / "#SYSTEM").exists() else {}
        check(system, "no #SYSTEM in the CHM")
        if system:
            check(struct.unpack_from("<I", system[4])[0] == 0x411, "the CHM's language is not 0x411")
            title = system[3].rstrip(b"\0").decode("cp932")
            check(title == f"Velmora {args.version} マニュアル / Manual", f"window title {title!r}")

        contents_name = system[6].rstrip(b"\0").decode("ascii") + ".hhc" if 6 in system else "Velmora.hhc"
        raw = files[contents_name].read_bytes() if contents_name in files else b""
        check(raw, f"no table of contents {contents_name}")
        toc = [(html.unescape(name or ""), local) for name, local in sitemap(raw.decode("cp932"))]
        check(b"&#" not in raw, "the table of contents holds character references")
        expected = []
        for language, book in (("ja", "Velmora マニュアル"), ("en", "Velmora Manual (English)")):
            expected.append((book, f"{ids[0]}.{language}.html"))
            for page_id in ids:
                name = f"{page_id}.{language}.html"
                title = re.search(r"<title>(.*?)</title>", pages[name][1], re.S).group(1) if name in pages else ""
                expected.append((html.unescape(" ".join(title.split())), name))
        check(toc == expected, f"table of contents {toc}, expected {expected}")

    for failure in failures:
        print("FAIL", failure)
    print(f"manual: {len(ids)} pages in {len(LANGUAGES)} languages, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
