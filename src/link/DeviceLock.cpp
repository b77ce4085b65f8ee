#include "link/DeviceLock.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace quavelo {

namespace {

// The process holding the flock lock on the file `id` names ("08:01:1234": device major and
// minor in hex, inode in decimal, as /proc/locks writes them); 0 when none is listed.
long FindFlockHolder(const std::string& id) {
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 4711 00:05:123 0 EOF"; waiters read "1: -> FLOCK ...".
        std::istringstream fields(line);
        std::string number, kind, mode, access, file;
        long pid = 0;
        if (!(fields >> number >> kind >> mode >> access >> pid >> file)) continue;
        if (kind == "FLOCK" && file == id && pid > 0) return pid;
    }
    return 0;
}

}  // namespace

bool TakeDeviceLock(int fd, long& holder) {
    holder = 0;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return true;
        struct stat status {};
        if (fstat(fd, &status) == 0) {
            char id[64];
            std::snprintf(id, sizeof id, "%02x:%02x:%lu", major(status.st_dev),
                          minor(status.st_dev), static_cast<unsigned long>(status.st_ino));
            holder = FindFlockHolder(id);
        }
        return false;
    }
    return true;
}

}  // namespace quavelo
