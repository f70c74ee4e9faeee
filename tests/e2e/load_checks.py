#!/usr/bin/env python3
"""Checks of Korvid's load test.

  load_checks.py seed-history HISDAT          writes an older his.dat to merge with
  load_checks.py history HISDAT               his.dat after the load: rows and merge
  load_checks.py memory SAMPLES PHASES CAP_MIB GROWTH_MIB
                                              memory over the run (samples of
                                              scripts/process-memory.py --sample, and
                                              `epoch phase` lines)
  load_checks.py settled SAMPLES PHASES GROWTH_MIB
                                              succeeds once memory after the reloading
                                              is back within GROWTH_MIB of its start
"""
import re
import statistics
import sys

TITLE_LENGTH = 38
ROW_LIMIT = 1000
OLD_LINES = 1200
TITLE_TAIL = "：页面标题不停变化的负载测试，超过三十八个字的部分不进历史记录"
ROW = re.compile(r'^<tr>  <td>[^<]+</td>  <td>  <a href="([^"]*)">(.*)</a>  </td>  '
                 r'<td>  Lumera桌面</td> </tr>$')


def fail(message):
    sys.exit("FAIL: " + message)


def old_line(i):
    # Every hundredth line, from the fiftieth on, is empty, as a hand-edited file may have.
    if i % 100 == 50:
        return ""
    return ('<tr>  <td>2026/1/1 8:00:00</td>  <td>  <a href="http://127.0.0.1/old/%d">旧记录%04d'
            '</a>  </td>  <td>  Lumera桌面</td> </tr>' % (i, i))


def seed_history(path):
    lines = [old_line(i) for i in range(1, OLD_LINES + 1)]
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("gb18030"))


def load_title(n):
    return ("标题%05d" % n + TITLE_TAIL)[:TITLE_LENGTH]


def check_history(path):
    data = open(path, "rb").read()
    if not data.endswith(b"\r\n"):
        fail("his.dat does not end with CR LF (half written?)")
    try:
        text = data.decode("gb18030")
    except UnicodeDecodeError as error:
        fail(f"his.dat is no GB18030 text: {error}")
    lines = text.split("\r\n")[:-1]
    rows = []
    for number, line in enumerate(lines, 1):
        if not line:
            continue
        match = ROW.match(line)
        if not match:
            fail(f"his.dat line {number} is no whole history row: {line[:120]!r}")
        rows.append((match.group(1), match.group(2)))
    titles = [title for _, title in rows]
    long_titles = [t for t in titles if len(t) > TITLE_LENGTH]
    if long_titles:
        fail(f"titles longer than {TITLE_LENGTH} characters: {long_titles[:3]}")

    first_old = next((i for i, t in enumerate(titles) if t.startswith("旧记录")), len(titles))
    new, old = rows[:first_old], rows[first_old:]
    # Kept byte for byte: the non-empty lines among the first thousand of the older file.
    expected_old = [old_line(i) for i in range(1, ROW_LIMIT + 1) if old_line(i)]
    found_old = [line for line in lines if line][first_old:]
    if found_old != expected_old:
        fail(f"the older rows kept are not the non-empty ones of the first {ROW_LIMIT} lines "
             f"({len(found_old)} kept, {len(expected_old)} expected)")

    if len(new) > ROW_LIMIT:
        fail(f"{len(new)} new rows merged; the session keeps at most its {ROW_LIMIT} newest")
    if len(new) < 3:
        fail(f"only {len(new)} new rows: {new}")
    (done_url, done_title), (reload_url, reload_title) = new[0], new[1]
    if not done_title.startswith("负载测试完成 刷新") or not done_url.endswith("/load/done.html?loads=" + done_title[9:-1]):
        fail(f"the newest row is not the last page: {new[0]}")
    if reload_title != "自动刷新负载页" or not reload_url.endswith("/load/reload.html"):
        fail(f"the second row is not the reloading page, recorded once: {new[1]}")
    numbers = []
    rest = new[2:]
    while rest and rest[0][1].startswith("标题") and rest[0][1] != "标题负载页":
        url, title = rest.pop(0)
        n = int(title[2:7])
        if title != load_title(n) or not url.endswith("/load/titles.html"):
            fail(f"a title row is not the page's title cut to {TITLE_LENGTH}: {title!r} {url}")
        numbers.append(n)
    if not numbers or numbers[0] != 10000:
        fail(f"the last title set is not the newest title row: {numbers[:3]}")
    if any(a <= b for a, b in zip(numbers, numbers[1:])):
        fail("title rows are not newest first")
    earlier = {"标题负载页", "弹窗负载页", "弹出的子窗口"}
    unexpected = [t for _, t in rest if t not in earlier]
    if unexpected:
        fail(f"rows of pages that were not visited: {unexpected[:3]}")
    if len(new) < ROW_LIMIT and "弹窗负载页" not in [t for _, t in rest]:
        fail("the window-opening page is missing, though the session has room for it")
    print(f"his.dat: {len(lines)} lines; {len(new)} new rows ({len(numbers)} of titles "
          f"{numbers[-1]}..{numbers[0]}, {len(rest)} earlier), {len(old)} older rows kept")


def check_memory(samples_path, phases_path, cap_mib, growth_mib):
    samples, phases = read_samples(samples_path, phases_path)
    if len(samples) < 10:
        fail(f"only {len(samples)} memory samples")
    mib = lambda kib: kib / 1024
    peak = max(samples, key=lambda s: s[2])
    print(f"memory: {len(samples)} samples; peak RSS {mib(peak[2]):.0f} MiB (PSS {mib(peak[3]):.0f} "
          f"MiB) over {int(peak[1])} processes")
    for (start, name), (end, _) in zip(phases, phases[1:] + [(samples[-1][0] + 1, "")]):
        inside = [s for s in samples if start <= s[0] < end]
        if inside:
            print(f"  {name:8} {end - start:5.0f} s  RSS {mib(min(s[2] for s in inside)):5.0f}.."
                  f"{mib(max(s[2] for s in inside)):5.0f} MiB  PSS {mib(min(s[3] for s in inside)):5.0f}.."
                  f"{mib(max(s[3] for s in inside)):5.0f} MiB  processes {int(min(s[1] for s in inside))}.."
                  f"{int(max(s[1] for s in inside))}")
    if mib(peak[2]) > cap_mib:
        fail(f"RSS of Korvid and its helpers reached {mib(peak[2]):.0f} MiB (cap {cap_mib} MiB)")
    start, rest = retained_after_reloading(samples, phases)
    print(f"  reloading: PSS median {mib(start):.0f} MiB in its first third, {mib(rest):.0f} MiB once "
          f"the page rests")
    if mib(rest - start) > growth_mib:
        fail(f"memory grew by {mib(rest - start):.0f} MiB while one page reloaded (bound {growth_mib} MiB)")


def retained_after_reloading(samples, phases):
    # The same page loaded over and over must not leave memory behind. While it reloads, the
    # engine may put its collection off (Qt 6.8 frees a renderer's garbage only once the page
    # rests): what counts is the least memory seen after it, against the start of reloading.
    reload = dict((name, start) for start, name in phases)
    start = reload.get("reload")
    end = reload.get("done")
    if start is None or end is None:
        fail("the reloading phase was not seen")
    inside = [s for s in samples if start <= s[0] < end]
    after = [s[3] for s in samples if s[0] >= end]
    if not inside or not after:
        fail("no memory samples during or after the reloading")
    first = statistics.median(s[3] for s in inside[:max(1, len(inside) // 3)])
    return first, min(after)


def read_samples(samples_path, phases_path):
    samples = [tuple(float(v) for v in line.split()) for line in open(samples_path) if line.strip()]
    phases = [(float(line.split()[0]), line.split()[1]) for line in open(phases_path) if line.strip()]
    return samples, phases


def settled(samples_path, phases_path, growth_mib):
    start, rest = retained_after_reloading(*read_samples(samples_path, phases_path))
    sys.exit(0 if (rest - start) / 1024 <= growth_mib else 1)


def main():
    args = sys.argv[1:]
    if args[:1] == ["seed-history"] and len(args) == 2:
        seed_history(args[1])
    elif args[:1] == ["history"] and len(args) == 2:
        check_history(args[1])
    elif args[:1] == ["memory"] and len(args) == 5:
        check_memory(args[1], args[2], float(args[3]), float(args[4]))
    elif args[:1] == ["settled"] and len(args) == 4:
        settled(args[1], args[2], float(args[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
