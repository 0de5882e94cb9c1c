#!/usr/bin/env python3
"""Fills a distribution's "Tunevault" folder with a large, realistic program tree for the copy
benchmark: about 5,000 files in 200 folders, about 500 MB, a few hundred of them DLLs with version
resources (copies of a versioned DLL with bytes appended, which keeps the resource readable).

    make_tree.py <Tunevault folder> <versioned DLL>
"""
import os
import random
import sys

FOLDERS, FILES_PER_FOLDER, DLL_EVERY = 200, 25, 16


def main():
    root, dll = sys.argv[1], sys.argv[2]
    dll_bytes = open(dll, "rb").read()
    rng = random.Random(27)
    chunk = rng.randbytes(1 << 20)
    total = 0
    for f in range(FOLDERS):
        folder = os.path.join(root, "Data", f"Set {f // 20:02d}", f"Folder {f:03d}")
        os.makedirs(folder, exist_ok=True)
        for n in range(FILES_PER_FOLDER):
            index = f * FILES_PER_FOLDER + n
            # Mostly small files, some of a few hundred KB, one in a hundred of several MB.
            roll = rng.random()
            size = rng.randint(1, 64) << 10 if roll < 0.85 else rng.randint(64, 512) << 10 if roll < 0.99 else rng.randint(2, 8) << 20
            if index % DLL_EVERY == 0:
                name, head = f"Module{index:04d}.dll", dll_bytes
            else:
                name, head = f"File{index:04d}.dat", b""
            with open(os.path.join(folder, name), "wb") as out:
                out.write(head)
                left = max(size - len(head), 0)
                while left:
                    piece = chunk[: min(left, len(chunk))]
                    out.write(piece)
                    left -= len(piece)
            total += max(size, len(head))
    print(f"{FOLDERS * FILES_PER_FOLDER} files, {total / (1 << 20):.0f} MB")


if __name__ == "__main__":
    main()
