#!/usr/bin/python3
# slowfs.py SOURCE MOUNTPOINT SECONDS WINEPREFIX SWITCH PROGRAM...
# A pass-through file system over SOURCE that answers every call of the
# given programs (their process names, "Dovrin.exe") running in WINEPREFIX
# after SECONDS, as a share over a slow link or a disc spinning up would,
# while the file SWITCH exists; without it, it is a normal drive (the bench
# turns it off for the runs on the normal drive, which list this one too).
# Everybody else is answered at once: the wineserver opens files for every
# Wine process on one thread, and every Wine process looks at every mount
# point of the machine now and then (measured: start-up, explorer, other
# prefixes' programs), so delaying them would freeze far more than the
# programs measured. Runs in the foreground until unmounted.
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations, fuse_get_context


class SlowPassThrough(Operations):
    def __init__(self, source, seconds, prefix, switch, programs):
        self.source = source
        self.switch = switch
        self.seconds = seconds
        self.prefix = b"WINEPREFIX=" + prefix.encode()
        self.programs = set(programs)

    def _wait(self):
        if os.path.exists(self.switch) and self._delayed(fuse_get_context()[2]):
            time.sleep(self.seconds)

    def _delayed(self, thread):
        # The caller is a thread: its process's name and environment count.
        try:
            with open(f"/proc/{thread}/status") as status:
                process = next(line.split()[1] for line in status if line.startswith("Tgid:"))
            with open(f"/proc/{process}/comm") as comm:
                name = comm.read().strip()
            if name not in self.programs:
                return False
            with open(f"/proc/{process}/environ", "rb") as environ:
                return self.prefix in environ.read().split(b"\0")
        except (OSError, StopIteration):
            return False

    def _path(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def _call(self, function, *args):
        self._wait()
        try:
            return function(*args)
        except OSError as error:
            raise FuseOSError(error.errno)

    def getattr(self, path, fh=None):
        # Wine looks at every drive's root over and over while a program
        # starts (measured: with the root slow too, no program showed a
        # window within 30 s, Dovrin on C: included); Windows has no such
        # step, so the root's own attributes come at once.
        if path == "/":
            return self._attributes(os.lstat(self.source))
        return self._attributes(self._call(os.lstat, self._path(path)))

    @staticmethod
    def _attributes(st):
        return {key: getattr(st, key) for key in
                ("st_atime", "st_ctime", "st_gid", "st_mode", "st_mtime", "st_nlink", "st_size", "st_uid")}

    def access(self, path, mode):
        if not self._call(os.access, self._path(path), mode):
            raise FuseOSError(13)

    def readdir(self, path, fh):
        return [".", ".."] + self._call(os.listdir, self._path(path))

    def statfs(self, path):
        st = self._call(os.statvfs, self._path(path))
        return {key: getattr(st, key) for key in
                ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_flag",
                 "f_frsize", "f_namemax")}

    def open(self, path, flags):
        return self._call(os.open, self._path(path), flags)

    def create(self, path, mode, fi=None):
        return self._call(os.open, self._path(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def read(self, path, size, offset, fh):
        self._wait()
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        self._wait()
        return os.pwrite(fh, data, offset)

    def release(self, path, fh):
        os.close(fh)

    def mkdir(self, path, mode):
        self._call(os.mkdir, self._path(path), mode)

    def unlink(self, path):
        self._call(os.unlink, self._path(path))

    def rmdir(self, path):
        self._call(os.rmdir, self._path(path))

    def utimens(self, path, times=None):
        self._call(os.utime, self._path(path), times)

    def chmod(self, path, mode):
        self._call(os.chmod, self._path(path), mode)

    def truncate(self, path, length, fh=None):
        self._call(os.truncate, self._path(path), length)


if __name__ == "__main__":
    source, mountpoint, seconds, prefix, switch = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4], sys.argv[5]
    # No caching in the kernel: every look-up reaches us, as on a drive that
    # is slow every time.
    FUSE(SlowPassThrough(source, seconds, prefix, switch, sys.argv[6:]), mountpoint, foreground=True, nothreads=False,
         attr_timeout=0, entry_timeout=0, negative_timeout=0)
