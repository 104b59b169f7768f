#!/usr/bin/env python3
"""Writes the packages' changelog.gz in Debian's changelog form from
CHANGELOG.md: one entry per "## VERSION - YYYY-MM-DD" section, newest first,
its "### Added" (...) groups as "[ Added ]" and its items as "*" lines wrapped
at 78 columns. The items of an "## Unreleased" section go into the entry of
the version being built, dated today (or SOURCE_DATE_EPOCH). Entries of one
day are an hour apart, in their order, since Debian's changelog has times.

    debian-changelog.py CHANGELOG.md VERSION "NAME <EMAIL>" OUT.gz
"""
import datetime
import email.utils
import gzip
import os
import re
import sys
import textwrap


def parse(text):
    """[(version or None for Unreleased, date or None, [(group, [item])])]"""
    sections = []
    item = None
    for line in text.splitlines():
        heading = re.match(r"^## +(\S+)(?: +- +(\d{4}-\d\d-\d\d))? *$", line)
        if heading:
            name = heading.group(1)
            sections.append((None if name.lower() == "unreleased" else name, heading.group(2), []))
            item = None
        elif not sections:
            continue
        elif line.startswith("### "):
            sections[-1][2].append((line[4:].strip(), []))
            item = None
        elif line.startswith("- "):
            groups = sections[-1][2]
            if not groups:
                groups.append(("", []))
            groups[-1][1].append(line[2:].strip())
            item = groups[-1][1]
        elif line.startswith("  ") and line.strip() and item is not None:
            item[-1] += " " + line.strip()
        else:
            item = None
    return sections


def main():
    source, version, maintainer, out = sys.argv[1:5]
    with open(source, encoding="utf-8") as f:
        sections = parse(f.read())
    unreleased = [s for s in sections if s[0] is None]
    dated = [s for s in sections if s[0] is not None]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", datetime.datetime.now(datetime.timezone.utc).timestamp()))
    today = datetime.datetime.fromtimestamp(epoch, datetime.timezone.utc).strftime("%Y-%m-%d")
    if unreleased:
        if dated and dated[0][0] == version:
            merged = {}
            for group, items in unreleased[0][2] + dated[0][2]:
                merged.setdefault(group, []).extend(items)
            dated[0] = (version, max(today, dated[0][1] or today), list(merged.items()))
        else:
            dated.insert(0, (version, today, unreleased[0][2]))
    if not dated or dated[0][0] != version:
        sys.exit(f"debian-changelog.py: {source} has no entry for {version} (nor an Unreleased one)")

    times = []
    for _, date, _ in reversed(dated):
        when = datetime.datetime.strptime(date or today, "%Y-%m-%d").replace(tzinfo=datetime.timezone.utc)
        if times and when <= times[-1]:
            when = times[-1] + datetime.timedelta(hours=1)
        times.append(when)
    lines = []
    for (number, _, groups), when in zip(dated, reversed(times)):
        lines += [f"orbalux ({number}) unstable; urgency=medium", ""]
        for group, items in groups:
            if group:
                lines.append(f"  [ {group} ]")
            for item in items:
                lines += textwrap.wrap(item.replace("`", ""), 78, initial_indent="  * ", subsequent_indent="    ",
                                       break_on_hyphens=False)
            lines.append("")
        lines += [f" -- {maintainer}  {email.utils.format_datetime(when)}", ""]
    # No time stamp in the gzip header, as Debian's tools make it.
    with open(out, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as gz:
        gz.write("\n".join(lines[:-1]).encode("utf-8") + b"\n")


if __name__ == "__main__":
    main()
