#!/usr/bin/env python3
"""Prints one table of the benchmark figures against the targets.

usage: table.py FOLDER   (the JSON files and rtfdump.txt of bench/run-all.sh)
"""
import json
import pathlib
import re
import sys

folder = pathlib.Path(sys.argv[1])
results = {}
for path in folder.glob("*.json"):
    try:
        for b in json.loads(path.read_text()).get("benchmarks", []):
            if b.get("run_type", "iteration") == "iteration" and "error_occurred" not in b:
                # "BM_X/arg/iterations:10/manual_time" -> "BM_X/arg"
                name = "/".join(part for part in b["name"].split("/")
                                if ":" not in part and part not in ("manual_time", "real_time"))
                results.setdefault(path.stem + ":" + name, b)
    except (json.JSONDecodeError, OSError) as error:
        print(f"{path.name}: {error}", file=sys.stderr)


def ms(key):
    b = results.get(key)
    if b is None:
        return None
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


def counter(key, name):
    b = results.get(key)
    return None if b is None else b.get(name)


def ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


rtfdump = (folder / "rtfdump.txt").read_text() if (folder / "rtfdump.txt").exists() else ""
m = re.search(r"ratio \(unrtf / rtfdump\): wall ([\d.]+), CPU ([\d.]+)", rtfdump)
dump_wall, dump_cpu = (float(m.group(1)), float(m.group(2))) if m else (None, None)
read_mb = counter("rtf:BM_Read/1048576", "bytes_per_second")
read_mb = read_mb / 1048576 if read_mb else None

def first_window(name):
    """The median start of a program, which a burst of load on a busy machine moves least."""
    key = "firstwindow:BM_FirstWindow/" + name
    median = counter(key, "median_ms")
    return median if median is not None else ms(key)


bare = first_window("bare")
pad = first_window("jotwell")
feather = first_window("featherpad")
# The text's size is its UTF-8 size, as a user counts it.
rss = counter("memory:BM_ResidentMemory10MB", "RSS_MiB")
rss_empty = counter("memory:BM_ResidentMemory10MB", "empty_RSS_MiB")
text_mib = counter("memory:BM_ResidentMemory10MB", "text_MiB")

spell_on = counter("spell:BM_Typing1MB/1", "p99_ms")
spell_off = counter("spell:BM_Typing1MB/0", "p99_ms")
spell_cost = None if spell_on is None or spell_off is None else spell_on - spell_off

def outside_rows():
    """The real program timed from outside by _NET_WM_PING (bench/pingbench.cpp)."""
    switch = "ping:BM_OutsideSwitch10MB"
    rows = [("outside: switch to a 10 MB page", counter(switch, "switch_ms"), "ms", "< 200",
             counter(switch, "switch_ms"), 200, True)]
    for where in ("top", "middle", "end"):
        slowest = counter(switch, where + "_max_ms")
        rows.append((f"outside: 10 MB page, key at {where}, max", slowest, "ms", "< 16", slowest, 16, True))
        rows.append(("  median of 20", counter(switch, where + "_median_ms"), "ms", "", None, None, True))
    for shape, what in (("0", "400k empty paragraphs"), ("1", "10 MB one line"), ("2", "500 MB page")):
        freeze = counter("ping:BM_OutsideFreeze/" + shape, "freeze_ms")
        rows.append((f"outside: {what}, freeze", freeze, "ms", "< 2000", freeze, 2000, True))
    return rows


def find_all(pages, size, warm):
    """Find in All Pages with a word on every page, until every hit is listed."""
    return ms(f"search:BM_SearchAllPages/{pages}/{size}/1/{warm}")


def grep_all(pages, size):
    return ms(f"search:BM_GrepAllPages/{pages}/{size}/1")


# (what, figure, unit, target text, value compared, limit, smaller is better)
rows = [
    ("first window: bare Qt window", bare, "ms", "", None, None, True),
    ("first window: FeatherPad", feather, "ms", "", None, None, True),
    ("first window: xpad", first_window("xpad"), "ms", "", None, None, True),
    ("first window: Jotwell Pro", pad, "ms", "", None, None, True),
    ("  pad / bare window", ratio(pad, bare), "x", "<= 1.25", ratio(pad, bare), 1.25, True),
    ("  pad / FeatherPad", ratio(pad, feather), "x", "<= 0.6", ratio(pad, feather), 0.6, True),
    ("start-up, 1,000 pages", ms("window:BM_StartUp/1000"), "ms", "< 250", ms("window:BM_StartUp/1000"), 250, True),
    ("start-up, 10,000 pages", ms("window:BM_StartUp/10000"), "ms", "< 1500", ms("window:BM_StartUp/10000"), 1500, True),
    ("switch to a 10 MB page", ms("window:BM_PageSwitch/10485760"), "ms", "< 400",
     ms("window:BM_PageSwitch/10485760"), 400, True),
    ("10 MB page: key to paint, p99", counter("window:BM_KeyToPaint10MB", "p99_ms"), "ms", "< 16",
     counter("window:BM_KeyToPaint10MB", "p99_ms"), 16, True),
    ("10 MB page: search", ms("ui:BM_Search/10485760"), "ms", "< 50", ms("ui:BM_Search/10485760"), 50, True),
    ("10 MB page: Find Next", ms("ui:BM_FindNext/10485760"), "ms", "< 50", ms("ui:BM_FindNext/10485760"), 50, True),
    ("1 MB page: typing p99, spelling off", counter("spell:BM_Typing1MB/0", "p99_ms"), "ms", "", None, None, True),
    ("1 MB page: typing p99, spelling on", counter("spell:BM_Typing1MB/1", "p99_ms"), "ms", "", None, None, True),
    ("  spelling on - off, p99", spell_cost, "ms", "<= 1", spell_cost, 1, True),
    ("10 MB page: resident memory", rss, "MiB", "<= 3 x text + empty pad",
     rss, None if rss_empty is None or text_mib is None else 3 * text_mib + rss_empty, True),
    ("  empty pad", rss_empty, "MiB", "", None, None, True),
    ("long paragraph, 100,000 runs: load", ms("ui:BM_LongParagraph/100000"), "ms", "< 500",
     ms("ui:BM_LongParagraph/100000"), 500, True),
    ("long paragraph, 100,000 runs: key", ms("ui:BM_LongParagraphKey/100000"), "ms", "< 16",
     ms("ui:BM_LongParagraphKey/100000"), 16, True),
    ("find in all pages: 1,000 pages, typing", find_all(1000, 10240, 1), "ms", "< 150",
     find_all(1000, 10240, 1), 150, True),
    ("  first search, no page read yet", find_all(1000, 10240, 0), "ms", "< 150", find_all(1000, 10240, 0), 150, True),
    ("  grep -rli over the same files", grep_all(1000, 10240), "ms", "", None, None, True),
    ("  typing / grep", ratio(find_all(1000, 10240, 1), grep_all(1000, 10240)), "x", "", None, None, True),
    ("find in all pages: 10 MB page, typing", find_all(1, 10485760, 1), "ms", "< 100",
     find_all(1, 10485760, 1), 100, True),
    ("  first search, page not read yet", find_all(1, 10485760, 0), "ms", "< 100", find_all(1, 10485760, 0), 100, True),
    ("  grep -rli over the same file", grep_all(1, 10485760), "ms", "", None, None, True),
    ("  typing / grep", ratio(find_all(1, 10485760, 1), grep_all(1, 10485760)), "x", "", None, None, True),
    ("Page History, 1,000 versions: list", ms("history:BM_HistoryList/1000"), "ms", "< 200",
     ms("history:BM_HistoryList/1000"), 200, True),
    ("1 MB save, history on / off", counter("history:BM_Save1MB", "ratio"), "x", "<= 1.1",
     counter("history:BM_Save1MB", "ratio"), 1.1, True),
] + outside_rows() + [
    ("reader, 1 MB page", read_mb, "MB/s", ">= 150", read_mb, 150, False),
    ("rtfdump vs unrtf --text, wall", dump_wall, "x", ">= 20", dump_wall, 20, False),
    ("rtfdump vs unrtf --text, CPU", dump_cpu, "x", "", None, None, False),
]

print(f"{'measure':<38} {'figure':>10} {'unit':<5} {'target':<24} {'met':<4}")
print("-" * 84)
for what, figure, unit, target, value, limit, smaller in rows:
    shown = "-" if figure is None else f"{figure:.2f}" if unit == "x" else f"{figure:.1f}"
    if target == "works":
        met = "yes" if figure is not None else "no"
    elif limit is None or value is None:
        met = "not measured" if target and figure is None else ""
    else:
        met = "yes" if (value <= limit if smaller else value >= limit) else "NO"
    print(f"{what:<38} {shown:>10} {unit:<5} {target:<24} {met:<4}")
