#pragma once

namespace quavelo {

// Every QUAVELO process takes an exclusive advisory lock (flock) on a device it opens and holds it
// while the device is open, so that two processes never interleave their reports on one device
// (two staged coefficient loads on the same staging addresses would load a corrupted filter).
// The lock is advisory: programs that do not take it are not kept out.

// Takes the lock on the open file `fd` without waiting. True when it is taken, and also when the
// file system cannot lock at all (a device is not refused for that). False when another open
// file holds it; `holder` is then that process's id as /proc/locks names it, 0 when unknown. The
// lock ends when the last descriptor of this opening is closed.
bool TakeDeviceLock(int fd, long& holder);

}  // namespace quavelo
