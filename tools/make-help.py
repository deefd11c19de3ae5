#!/usr/bin/env python3
"""Turns the user guides (docs/guide.<lang>.md) into the help pages shipped beside Velkator.exe.

Usage: make-help.py OUTPUT_DIR IMAGE_DIR GUIDE=PAGE [GUIDE=PAGE ...]

The guides use a small part of Markdown: "#"/"##" headings, paragraphs, "- " lists (continued
by indented lines), "![caption](file.png)" figures on a line of their own, and **bold**,
*italic* and `code` inline. A figure is shown only when IMAGE_DIR holds its picture (tools/test.sh
has tools/help-pictures.cpp take them there, driving the program under Wine, and turns them into
PNG); the picture is then copied beside the page.
"""
import html
import os
import re
import shutil
import sys

STYLE = """body{font-family:Tahoma,Verdana,sans-serif;font-size:10pt;max-width:46em;margin:1.5em auto;
padding:0 1em;color:#222;line-height:1.45}h1{font-size:18pt;color:#1f3f7a}
h2{font-size:13pt;color:#1f3f7a;border-bottom:1px solid #ccd;margin-top:1.6em}
nav ul{columns:2}figure{margin:1em 0}figcaption{font-size:9pt;color:#555}
code{font-family:Consolas,monospace;font-size:9pt}"""

FIGURE = re.compile(r"^!\[([^\]]*)\]\(([^)\s]+)\)$")


def inline(text):
    text = html.escape(text, quote=False)
    text = re.sub(r"`([^`]+)`", r"<code>\1</code>", text)
    text = re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", text)
    return re.sub(r"\*([^*]+)\*", r"<em>\1</em>", text)


def slug(text):
    return re.sub(r"[^a-z0-9]+", "-", text.lower()).strip("-") or "section"


def blocks(lines):
    """Yields (kind, content): heading levels, paragraphs, lists and figures."""
    paragraph, items = [], []

    def flush():
        if paragraph:
            yield ("p", " ".join(paragraph))
            paragraph.clear()
        if items:
            yield ("ul", list(items))
            items.clear()

    for raw in lines:
        line = raw.rstrip()
        stripped = line.strip()
        if not stripped:
            yield from flush()
        elif line.startswith("#"):
            yield from flush()
            level = len(line) - len(line.lstrip("#"))
            yield ("h%d" % min(level, 3), line[level:].strip())
        elif FIGURE.match(stripped):
            yield from flush()
            yield ("figure", FIGURE.match(stripped).groups())
        elif stripped.startswith("- "):
            if paragraph:
                yield from flush()
            items.append(stripped[2:])
        elif items and line.startswith("  "):
            items[-1] += " " + stripped
        else:
            if items:
                yield from flush()
            paragraph.append(stripped)
    yield from flush()


def render(guide, output_dir, image_dir, page):
    with open(guide, encoding="utf-8") as source:
        parsed = list(blocks(source))
    language = os.path.basename(guide).split(".")[-2]
    title = next((text for kind, text in parsed if kind == "h1"), "Velkator")
    sections = [text for kind, text in parsed if kind == "h2"]
    body, contents_done = [], False
    for kind, content in parsed:
        if kind == "h2" and not contents_done:
            links = "".join('<li><a href="#%s">%s</a></li>' % (slug(s), inline(s)) for s in sections)
            body.append("<nav><ul>%s</ul></nav>" % links)
            contents_done = True
        if kind in ("h1", "h3"):
            body.append("<%s>%s</%s>" % (kind, inline(content), kind))
        elif kind == "h2":
            body.append('<h2 id="%s">%s</h2>' % (slug(content), inline(content)))
        elif kind == "p":
            body.append("<p>%s</p>" % inline(content))
        elif kind == "ul":
            body.append("<ul>%s</ul>" % "".join("<li>%s</li>" % inline(item) for item in content))
        elif kind == "figure":
            caption, picture = content
            found = os.path.join(image_dir, picture)
            if os.path.isfile(found):
                shutil.copyfile(found, os.path.join(output_dir, picture))
                body.append('<figure><img src="%s" alt="%s"><figcaption>%s</figcaption></figure>'
                            % (html.escape(picture), html.escape(caption), inline(caption)))
    document = ('<!DOCTYPE html>\n<html lang="%s">\n<head>\n<meta charset="utf-8">\n<title>%s</title>\n'
                "<style>%s</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
                % (language, html.escape(title), STYLE, "\n".join(body)))
    with open(os.path.join(output_dir, page), "w", encoding="utf-8", newline="\r\n") as target:
        target.write(document)


def main(arguments):
    if len(arguments) < 3 or any("=" not in pair for pair in arguments[2:]):
        sys.exit(__doc__)
    output_dir, image_dir = arguments[0], arguments[1]
    os.makedirs(output_dir, exist_ok=True)
    for pair in arguments[2:]:
        guide, page = pair.split("=", 1)
        render(guide, output_dir, image_dir, page)


if __name__ == "__main__":
    main(sys.argv[1:])
