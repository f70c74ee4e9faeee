#!/usr/bin/env python3
"""Memory of a program with all its child processes (a web engine's helpers included).

  process-memory.py PID                    one line: processes rss_kib pss_kib
  process-memory.py --kinds PID            PSS in KiB by kind of process: the program's own,
                                           its renderers, the GPU process and the rest,
                                           then the number of renderers
  process-memory.py --sample PID SECONDS OUTFILE
                                           the same line, preceded by the time (seconds
                                           since the epoch), appended every SECONDS until PID
                                           ends or the sampler is stopped

RSS is VmRSS of /proc/<pid>/status, PSS the Pss of /proc/<pid>/smaps_rollup (0 where the
kernel has none); both summed over PID and every process below it in the process tree.
"""
import os
import signal
import sys
import time


def children_by_parent():
    parents = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        # The command name may hold spaces and parentheses: fields follow the last ")".
        fields = stat[stat.rfind(")") + 2:].split()
        parents.setdefault(int(fields[1]), []).append(int(name))
    return parents


def process_tree(root):
    parents = children_by_parent()
    tree, todo = [], [root]
    while todo:
        pid = todo.pop()
        tree.append(pid)
        todo.extend(parents.get(pid, []))
    return tree


def field_kib(path, key):
    try:
        with open(path) as f:
            for line in f:
                if line.startswith(key + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def measure(root):
    processes = rss = pss = 0
    for pid in process_tree(root):
        kib = field_kib(f"/proc/{pid}/status", "VmRSS")
        if kib == 0 and not os.path.exists(f"/proc/{pid}"):
            continue
        processes += 1
        rss += kib
        pss += field_kib(f"/proc/{pid}/smaps_rollup", "Pss")
    return processes, rss, pss


def process_kind(pid):
    # A process forked from the engine's zygote shows its arguments as one text.
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            arguments = f.read().replace(b"\0", b" ") + b" "
    except OSError:
        return "other"
    if b" --type=renderer " in arguments:
        return "renderer"
    if b" --type=gpu-process " in arguments:
        return "gpu"
    return "other"


def pss_by_kind(root):
    kinds = {"own": 0, "renderer": 0, "gpu": 0, "other": 0}
    renderers = 0
    for pid in process_tree(root):
        kind = "own" if pid == root else process_kind(pid)
        renderers += kind == "renderer"
        kinds[kind] += field_kib(f"/proc/{pid}/smaps_rollup", "Pss")
    return kinds["own"], kinds["renderer"], kinds["gpu"], kinds["other"], renderers


def main():
    args = sys.argv[1:]
    if len(args) == 1:
        print("%d %d %d" % measure(int(args[0])))
        return
    if len(args) == 2 and args[0] == "--kinds":
        print("%d %d %d %d %d" % pss_by_kind(int(args[1])))
        return
    if len(args) == 4 and args[0] == "--sample":
        root, every, out = int(args[1]), float(args[2]), args[3]
        stop = []
        signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
        while not stop and os.path.exists(f"/proc/{root}"):
            line = "%.1f %d %d %d\n" % ((time.time(),) + measure(root))
            with open(out, "a") as f:
                f.write(line)
            time.sleep(every)
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
