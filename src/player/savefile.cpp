#include "player/savefile.h"
#include "shell/loop.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

static const char TEMP_SUFFIX[] = ".tmp";

bool dataFilePath(char* out, int size, const char* name) {
    int needed = snprintf(out, size, "%s%s", dataFolder, name);
    if (needed < 0 || needed >= size) {
        if (size > 0) out[0] = 0;
        return false;
    }
    return true;
}

long readSaveFile(const char* path, void* buffer, long capacity) {
    int fd = open(path, O_RDONLY);
    if (fd < 0) return errno == ENOENT ? SAVE_FILE_MISSING : SAVE_FILE_UNREADABLE;
    char* bytes = (char*)buffer;
    long total = 0;
    while (total < capacity) {
        ssize_t got = read(fd, bytes + total, capacity - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            close(fd);
            return SAVE_FILE_UNREADABLE;
        }
        if (got == 0) break;
        total += got;
    }
    close(fd);
    return total;
}

static bool writeAll(int fd, const char* bytes, long size) {
    long done = 0;
    while (done < size) {
        ssize_t put = write(fd, bytes + done, size - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += put;
    }
    return true;
}

// The rename is only durable once the folder itself reaches the disk; a
// failure here is not worth failing the save for.
static void syncFolderOf(const char* path) {
    char folder[512];
    snprintf(folder, sizeof folder, "%s", path);
    char* slash = strrchr(folder, '/');
    if (slash) slash[1] = 0;
    else snprintf(folder, sizeof folder, ".");
    int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool writeSaveFile(const char* path, const void* data, long size) {
    char temp[512];
    int needed = snprintf(temp, sizeof temp, "%s%s", path, TEMP_SUFFIX);
    if (needed < 0 || needed >= (int)sizeof temp || size < 0) return false;
    int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool written = writeAll(fd, (const char*)data, size) && fsync(fd) == 0;
    if (close(fd) != 0) written = false;
    if (!written || rename(temp, path) != 0) {
        unlink(temp);
        return false;
    }
    syncFolderOf(path);
    return true;
}
