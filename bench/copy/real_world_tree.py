#!/usr/bin/env python3
"""The copy benchmark's real-world payload: files that Debian packages install (program modules,
message catalogues, locale data, keyboard rules, fonts, icons, documents), added to a distribution's
"Tunevault" folder beside the sample product.

    real_world_tree.py pick <list>                 chooses the files and writes the list
    real_world_tree.py make <list> <Tunevault>     copies the listed files below <Tunevault>\\Extras

Wine's own DLLs are left out: registering a copy of one would point Wine's own classes at it. The
choice is a fixed rule over each package's own file list (sorted paths, every n-th file, a size
budget), and no two chosen files have the same contents, so that neither installer nor xcopy gains from
a file the system has just read. The list is kept in the repository; `make` reports files that are
missing or changed on this machine (another package version) and copies the rest.
"""
import hashlib
import os
import subprocess
import sys

# package, path prefix, file endings (empty: any), every n-th file, largest file and size budget in MiB
SOURCES = [
    # Programs and DLLs for Windows, none of them a COM server or a system DLL that the installer's
    # registration of the DLLs it copies would load.
    ("libwine", "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/", (".exe",), 1, 4, 40),
    ("gcc-mingw-w64-x86-64-posix-runtime", "/usr/lib/gcc/", (".dll",), 1, 4, 15),
    ("libz-mingw-w64", "/usr/", (".dll",), 1, 4, 1),
    ("iso-codes", "/usr/share/", (), 1, 4, 30),
    ("locales", "/usr/share/", (), 1, 4, 30),
    ("xkb-data", "/usr/share/", (), 1, 4, 10),
    ("shared-mime-info", "/usr/share/", (), 1, 4, 10),
    ("fonts-dejavu-core", "/usr/share/", (), 1, 4, 10),
    ("adwaita-icon-theme", "/usr/share/icons/", (".png", ".svg"), 12, 4, 10),
]
PACKAGES = sorted({source[0] for source in SOURCES})


def package_files(package):
    listing = subprocess.run(["dpkg", "-L", package], capture_output=True, text=True, check=True).stdout
    return sorted(p for p in listing.splitlines() if os.path.isfile(p) and not os.path.islink(p))


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha1(f.read()).hexdigest()


def pick(list_path):
    seen, rows = set(), []
    for package, prefix, endings, every, largest_mib, budget_mib in SOURCES:
        candidates = [p for p in package_files(package) if p.startswith(prefix) and (not endings or p.endswith(endings))]
        budget = budget_mib << 20
        for path in candidates[::every]:
            size = os.path.getsize(path)
            if size == 0 or size > min(budget, largest_mib << 20):
                continue
            contents = digest(path)
            if contents in seen:
                continue
            seen.add(contents)
            budget -= size
            rows.append(f"{package}\t{path}\t{size}")
    with open(list_path, "w") as out:
        out.write("# package\tpath\tsize (bench/copy/real_world_tree.py pick)\n")
        out.write("\n".join(rows) + "\n")
    print(f"{len(rows)} files, {sum(int(r.split(chr(9))[2]) for r in rows) / (1 << 20):.0f} MiB")


def make(list_path, root):
    copied = total = 0
    missing = []
    for line in open(list_path):
        if line.startswith("#") or not line.strip():
            continue
        package, path, size = line.rstrip("\n").split("\t")
        if not os.path.isfile(path) or os.path.getsize(path) != int(size):
            missing.append(path)
            continue
        target = os.path.join(root, "Extras", package, os.path.relpath(path, "/usr"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(path, "rb") as source, open(target, "wb") as out:
            out.write(source.read())
        copied += 1
        total += int(size)
    if missing:
        print(f"{len(missing)} listed files missing or changed here, e.g. {missing[0]}", file=sys.stderr)
    print(f"{copied} files, {total / (1 << 20):.0f} MiB")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "pick":
        pick(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 2 and sys.argv[1] == "packages":
        print(" ".join(PACKAGES))
    else:
        sys.exit(__doc__)
