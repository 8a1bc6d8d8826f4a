#!/usr/bin/env python3
"""make_tree.py FOLDER FILES_PER_FOLDER

Builds the tree the walk benchmark measures: 50 top folders, each with 100
subfolders (5,050 folders), and FILES_PER_FOLDER files in each of the 5,000
subfolders (20 gives 100,000 files, 200 gives 1,000,000). File sizes vary
from 0 to just under 1 MB and follow from the file's number alone, so every
tree built with the same arguments is the same; the files are sparse (their
length set, nothing written), so a tree of many gigabytes costs no disk.
Built on the Linux side: Python makes files far faster than a program under
Wine. FOLDER must not exist yet.
"""
import os
import sys

TOP_FOLDERS = 50
SUBFOLDERS = 100
LARGEST = 1_000_000


def size_of(number):
    # A multiplicative hash spreads neighbouring numbers over the whole range.
    return (number * 2654435761) % (1 << 32) % LARGEST


def main():
    folder, per_folder = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder)
    number = 0
    for top in range(TOP_FOLDERS):
        for sub in range(SUBFOLDERS):
            path = os.path.join(folder, f"top{top:02d}", f"sub{sub:03d}")
            os.makedirs(path)
            for _ in range(per_folder):
                fd = os.open(os.path.join(path, f"file{number:07d}.dat"), os.O_WRONLY | os.O_CREAT | os.O_EXCL)
                os.ftruncate(fd, size_of(number))
                os.close(fd)
                number += 1


if __name__ == "__main__":
    main()
