#!/usr/bin/python3
"""A read-only mirror of a folder through FUSE that fails or stalls chosen
sectors of its files, as a scratched disc answers EIO and a drive that
retries answers late. The player reads the mirror as it reads any image, so
the faults reach it through the real read path.

    fault_mirror.py SOURCE MOUNTPOINT FAULTS

FAULTS is a text file, read again whenever it changes, so that a test can arm
a fault while a track plays. One fault a line, sectors counted in 2352-byte
sectors from the start of the file:

    NAME FIRST COUNT eio             every read that touches them fails
    NAME FIRST COUNT sleep SECONDS   every read that touches them waits first

The mirror writes "ready" on standard output once it answers, and "stalling"
and "answered" around each read it holds back.
"""
import errno
import os
import sys
import threading
import time

try:
    from fuse import FUSE, FuseOSError, Operations
except ImportError:  # Debian names the module after its package
    from fusepy import FUSE, FuseOSError, Operations

SECTOR = 2352


class Faults:
    def __init__(self, path):
        self.path = path
        self.stamp = None
        self.rules = []
        self.lock = threading.Lock()

    def current(self):
        with self.lock:
            try:
                status = os.stat(self.path)
                stamp = (status.st_ino, status.st_mtime_ns, status.st_size)
            except FileNotFoundError:
                stamp = None
            if stamp != self.stamp:
                self.stamp = stamp
                self.rules = self.parse() if stamp is not None else []
            return list(self.rules)

    def parse(self):
        rules = []
        with open(self.path) as text:
            for line in text:
                words = line.split()
                if len(words) < 4:
                    continue
                name, first, count, kind = words[0], int(words[1]), int(words[2]), words[3]
                seconds = float(words[4]) if kind == "sleep" else 0.0
                rules.append((name, first * SECTOR, (first + count) * SECTOR, kind, seconds))
        return rules


class Mirror(Operations):
    def __init__(self, source, faults):
        self.source = source
        self.faults = faults

    def real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def getattr(self, path, fh=None):
        status = os.lstat(self.real(path))
        return {key: getattr(status, key) for key in (
            "st_mode", "st_size", "st_nlink", "st_uid", "st_gid",
            "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(self.real(path))

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self.real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        name = os.path.basename(path)
        for rule_name, start, end, kind, seconds in self.faults.current():
            if rule_name != name or offset >= end or offset + size <= start:
                continue
            if kind == "eio":
                raise FuseOSError(errno.EIO)
            print("stalling", flush=True)
            time.sleep(seconds)
            print("answered", flush=True)
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)
        return 0


def main():
    source, mountpoint, faults = sys.argv[1:4]

    def announce():
        while not os.path.ismount(mountpoint):
            time.sleep(0.02)
        print("ready", flush=True)

    threading.Thread(target=announce, daemon=True).start()
    FUSE(Mirror(os.path.abspath(source), Faults(faults)), mountpoint, foreground=True,
         nothreads=False, ro=True, direct_io=True)


if __name__ == "__main__":
    main()
