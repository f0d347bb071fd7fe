#!/usr/bin/env python3
"""Where the bytes of an exe go, from the link map GNU ld wrote for it.

    size_map.py --exe E --map M --res R --source S --report T --table V [--top N]

Every input section the map lists is charged to the object or archive
member it came from, and each member to a group: our code by its source
folder, libstdc++, libgcc, the C runtime, the import tables, the
resources. What no member owns (padding between sections, the base
relocations, the PE headers, each section's rounding up to the file
alignment) is charged to the linker. The groups add up to the exe's size
in bytes. The report names the largest members and, for each archive
member, the chain of references that pulled it into the link.
"""
import argparse
import collections
import pathlib
import re
import struct

HEX = r"0x([0-9a-f]+)"
INPUT = re.compile(r"^ (\S+)\s+" + HEX + r"\s+" + HEX + r"\s+(\S.*)$")
INPUT_NAME = re.compile(r"^ (\.\S+|COMMON)$")
CONTINUED = re.compile(r"^\s+" + HEX + r"\s+" + HEX + r"\s+(\S.*)$")
OUTPUT = re.compile(r"^(\.\S+)\s+" + HEX + r"\s+" + HEX)
OUTPUT_NAME = re.compile(r"^(\.\S+)$")
CONTINUED_OUTPUT = re.compile(r"^\s+" + HEX + r"\s+" + HEX + r"\s*$")
MEMBER = re.compile(r"^(.*?)([^/()]+\.a)\((.+)\)$")

# Output sections that take no room in the file.
NO_FILE_BYTES = {".bss", ".tbss"}

RUNTIME = {
    "libstdc++.a": "libstdc++",
    "libsupc++.a": "libstdc++",
    "libgcc.a": "libgcc",
    "libgcc_eh.a": "libgcc",
}
C_RUNTIME_ARCHIVES = {"libmingw32.a", "libmingwex.a", "libmsvcrt.a", "libmoldname.a", "libpthread.a", "libwinpthread.a"}
C_RUNTIME_OBJECTS = {"crt2.o", "crt2u.o", "crtbegin.o", "crtend.o", "dllcrt2.o"}
RESOURCE_TYPES = {3: "icon image", 14: "icon directory", 16: "version", 24: "manifest", 2: "bitmap", 6: "strings"}


def short(path):
    """An archive member as archive(member), an object by its file name."""
    match = MEMBER.match(path)
    if match:
        return f"{match.group(2)}({match.group(3)})"
    return pathlib.PurePath(path).name


def read_map(text):
    """(pulled-in reasons, [(output section, input section, size, file)])."""
    lines = text.splitlines()
    reasons = {}
    sections = []
    try:
        start = lines.index("Archive member included to satisfy reference by file (symbol)")
    except ValueError:
        start = None
    if start is not None:
        member = None
        for line in lines[start + 1 :]:
            if line.startswith("Discarded input sections") or line.startswith("Memory Configuration"):
                break
            if not line.strip():
                continue
            if not line.startswith(" "):
                member = short(line.strip())
                continue
            reason = line.strip()
            if member and reason:
                match = re.match(r"^(\S.*?) \((.*)\)$", reason)
                reasons[member] = (short(match.group(1)), match.group(2)) if match else (reason.strip("()"), "")
    body = lines[lines.index("Linker script and memory map") + 1 :]
    output = None
    pending = None  # an input or output section whose figures are on the next line
    for line in body:
        if pending is not None:
            kind, name = pending
            pending = None
            if kind == "input":
                match = CONTINUED.match(line)
                if match:
                    sections.append((output, name, int(match.group(2), 16), match.group(3).strip()))
                    continue
            else:
                match = CONTINUED_OUTPUT.match(line)
                if match:
                    output = name
                    sections.append((output, None, int(match.group(2), 16), None))
                    continue
        match = OUTPUT.match(line)
        if match:
            output = match.group(1)
            sections.append((output, None, int(match.group(3), 16), None))
            continue
        match = OUTPUT_NAME.match(line)
        if match:
            output = match.group(1)
            pending = ("output", output)
            continue
        match = INPUT.match(line)
        if match and output is not None:
            name, size, where = match.group(1), int(match.group(3), 16), match.group(4).strip()
            if name == "*fill*" or not (name.startswith(".") or name == "COMMON"):
                continue
            sections.append((output, name, size, where))
            continue
        match = INPUT_NAME.match(line)
        if match and output is not None:
            pending = ("input", match.group(1))
    return reasons, sections


def source_folders(root):
    """File name -> its folder, for every C++ file and resource script."""
    folders = collections.defaultdict(set)
    for path in pathlib.Path(root).rglob("*"):
        if path.suffix in {".cpp", ".rc"} and "build" not in path.relative_to(root).parts:
            folders[path.name].add(path.parent.relative_to(root).as_posix() + "/")
    return folders


def group_of(path, folders, imports):
    match = MEMBER.match(path)
    archive = match.group(2) if match else None
    member = match.group(3) if match else pathlib.PurePath(path).name
    if path == "dll stuff":
        return "linker: base relocations"
    if short(path) in imports or archive == "libuuid.a":
        return "import tables and GUIDs (Windows SDK)"
    if member.endswith(".res"):
        return "resources"
    if archive in RUNTIME:
        return RUNTIME[archive]
    if archive in C_RUNTIME_ARCHIVES or member in C_RUNTIME_OBJECTS:
        return "C runtime (MinGW-w64)"
    source = re.sub(r"\.obj$", "", member)
    places = folders.get(source, set())
    if len(places) == 1:
        return next(iter(places))
    return archive or "other objects"


def resources(res_path):
    """(type, name, size) of each resource in the COFF object windres made."""
    data = pathlib.Path(res_path).read_bytes()
    sections, optional = struct.unpack_from("<H", data, 2)[0], struct.unpack_from("<H", data, 16)[0]
    base = None
    for i in range(sections):
        header = 20 + optional + 40 * i
        if data[header : header + 8].rstrip(b"\0") == b".rsrc":
            base = struct.unpack_from("<I", data, header + 20)[0]
    if base is None:
        return []

    def label(entry, strings):
        if entry & 0x80000000:
            at = base + (entry & 0x7FFFFFFF)
            length = struct.unpack_from("<H", data, at)[0]
            return data[at + 2 : at + 2 + 2 * length].decode("utf-16-le")
        return strings.get(entry, str(entry)) if strings else str(entry)

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", data, base + offset + 16 + 8 * i)

    out = []
    for kind, types in entries(0):
        for name, names in entries(types & 0x7FFFFFFF):
            for _, leaf in entries(names & 0x7FFFFFFF):
                size = struct.unpack_from("<I", data, base + leaf + 4)[0]
                out.append((label(kind, RESOURCE_TYPES), label(name, None), size))
    return out


STRINGS = re.compile(r"std::(?:__cxx11::)?basic_string(_view)?<(char|wchar_t), std::char_traits<\2>(?:, std::allocator<\2>)? >")


def shorter(text):
    """Symbol names with std::string, std::wstring and their views spelt short."""
    return STRINGS.sub(lambda m: "std::" + ("w" if m.group(2) == "wchar_t" else "") + "string" + (m.group(1) or ""), text)


def chain(member, reasons, ours):
    """member <- the symbol that pulled it in, from its referrer <- ..., up
    to the first of our own objects."""
    steps = []
    seen = set()
    while member in reasons and member not in seen and member not in ours:
        seen.add(member)
        referrer, symbol = reasons[member]
        if not symbol:
            break
        steps.append(f"{shorter(symbol)} from {referrer}")
        member = referrer
    return "; ".join(steps)


def main():
    parser = argparse.ArgumentParser(description="Where the bytes of an exe go, from its link map.")
    parser.add_argument("--exe", required=True)
    parser.add_argument("--map", required=True)
    parser.add_argument("--res", help="the compiled resource script linked into the exe")
    parser.add_argument("--source", required=True, help="the repository, to find each object's folder")
    parser.add_argument("--report", required=True, help="the report, as text")
    parser.add_argument("--table", required=True, help="every member, tab-separated")
    parser.add_argument("--top", type=int, default=10)
    parser.add_argument("--aim", type=int, help="the most bytes the exe may have")
    args = parser.parse_args()
    exe, map_path, root, report_path, tsv_path, top = args.exe, args.map, args.source, args.report, args.table, args.top
    reasons, sections = read_map(pathlib.Path(map_path).read_text(errors="replace"))
    file_size = pathlib.Path(exe).stat().st_size

    outputs = {}
    charged = collections.defaultdict(lambda: collections.Counter())  # file -> output section -> bytes
    for output, name, size, where in sections:
        if output in NO_FILE_BYTES or output.startswith((".debug", ".zdebug", ".stab")):
            continue
        if name is None:
            outputs[output] = outputs.get(output, 0) + size
        else:
            charged[where][output] += size
    imports = {short(where) for where, by in charged.items() if any(o == ".idata" for o in by)}
    folders = source_folders(root)

    members = []
    for where, by in charged.items():
        total = sum(by.values())
        if total:
            members.append((total, short(where), group_of(where, folders, imports), by))
    members.sort(key=lambda m: (-m[0], m[1]))
    ours = {name for _, name, group, _ in members if group.endswith("/")}

    groups = collections.Counter()
    for total, _, group, _ in members:
        groups[group] += total
    inside = collections.Counter()
    for _, _, _, by in members:
        inside.update(by)
    padding = sum(size - inside[name] for name, size in outputs.items())
    headers = file_size - sum(outputs.values())
    groups["linker: padding and alignment"] += padding
    groups["linker: PE headers"] += headers

    def kib(n):
        return f"{n / 1024:7.1f} KiB"

    lines = [f"{exe}: {file_size:,} bytes ({file_size / 1024:.1f} KiB)"]
    if args.aim:
        verdict = "met" if file_size <= args.aim else f"missed by {file_size - args.aim:,} bytes"
        lines.append(f"aim: at most {args.aim:,} bytes ({args.aim / 1024:.0f} KiB): {verdict}")
    lines += ["", "By group:"]
    for group, size in groups.most_common():
        lines.append(f"  {kib(size)}  {100 * size / file_size:5.1f}%  {group}")
    lines += ["", "By output section (the linker's rounding included):"]
    for name, size in sorted(outputs.items(), key=lambda item: -item[1]):
        if size:
            lines.append(f"  {kib(size)}  {name}")
    if headers:
        lines.append(f"  {kib(headers)}  PE headers")
    lines += ["", f"The {top} largest objects and archive members (code, data, unwind tables):"]
    for total, name, group, by in members[:top]:
        parts = ", ".join(f"{o} {by[o]:,}" for o in sorted(by, key=lambda o: -by[o]) if by[o])
        lines.append(f"  {kib(total)}  {name}  [{group}]  {parts}")
        why = chain(name, reasons, ours)
        if why:
            lines.append(f"               pulled in by {why}")
    if args.res:
        lines += ["", f"Resources (their data; {pathlib.PurePath(args.res).name} before the linker lays it out):"]
        for kind, name, size in resources(args.res):
            lines.append(f"  {kib(size)}  {kind} {name}")
    pathlib.Path(report_path).write_text("\n".join(lines) + "\n")

    with open(tsv_path, "w") as tsv:
        names = sorted({o for _, _, _, by in members for o in by})
        tsv.write("\t".join(["bytes", "member", "group", *names, "pulled in by"]) + "\n")
        for total, name, group, by in members:
            tsv.write("\t".join([str(total), name, group, *(str(by[o]) for o in names), chain(name, reasons, ours)]) + "\n")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
