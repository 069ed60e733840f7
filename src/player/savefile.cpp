#include "player/savefile.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static const char TEMP_SUFFIX[] = ".tmp";
static const char USER_FOLDER_NAME[] = "kelvarostrindamuxelor/";
static const long LARGEST_STARTING_COPY = 1 << 20; // far above any player file

static char chosenFor[256] = {1}; // the data folder the choice was made for
static char chosenFolder[512];

// mkdir -p; true when the folder exists afterwards.
static bool makeFolders(const char* folder) {
    char path[512];
    snprintf(path, sizeof path, "%s", folder);
    for (char* p = path + 1; *p; p++) {
        if (*p != '/') continue;
        *p = 0;
        mkdir(path, 0755);
        *p = '/';
    }
    mkdir(path, 0755);
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// $XDG_DATA_HOME, or ~/.local/share when unset or not absolute.
static bool userFolder(char* out, int size) {
    const char* xdg = getenv("XDG_DATA_HOME");
    const char* home = getenv("HOME");
    int needed;
    if (xdg && xdg[0] == '/') needed = snprintf(out, size, "%s/%s", xdg, USER_FOLDER_NAME);
    else if (home && home[0]) needed = snprintf(out, size, "%s/.local/share/%s", home, USER_FOLDER_NAME);
    else return false;
    return needed > 0 && needed < size;
}

static void choosePlayerFolder() {
    snprintf(chosenFor, sizeof chosenFor, "%s", dataFolder);
    snprintf(chosenFolder, sizeof chosenFolder, "%s", dataFolder);
    const char* probe = dataFolder[0] ? dataFolder : ".";
    // Only a folder that is there but closed to us: a missing one stays a
    // failed save, not a reason to write somewhere else.
    if (access(probe, W_OK) == 0 || (errno != EACCES && errno != EROFS && errno != EPERM)) return;
    char user[512];
    if (!userFolder(user, sizeof user) || !makeFolders(user)) {
        fprintf(stderr, "The data folder %s cannot be written, nor a per-user folder made\n", probe);
        logAt(1, "Player files: nowhere to write\n", LOG_TAG_ERROR);
        return;
    }
    snprintf(chosenFolder, sizeof chosenFolder, "%s", user);
    fprintf(stderr, "Player files go to %s\n", chosenFolder);
    logf(1, 0, "Player files: %s\n", chosenFolder);
}

const char* playerFolder() {
    if (strcmp(chosenFor, dataFolder) != 0) choosePlayerFolder();
    return chosenFolder;
}

// The data folder's copy of a player file is where a new player starts.
static void copyStartingFile(const char* path, const char* name) {
    if (access(path, F_OK) == 0) return;
    char original[512];
    int needed = snprintf(original, sizeof original, "%s%s", dataFolder, name);
    if (needed < 0 || needed >= (int)sizeof original) return;
    static char bytes[LARGEST_STARTING_COPY];
    long size = readSaveFile(original, bytes, sizeof bytes);
    if (size >= 0 && size < LARGEST_STARTING_COPY) writeSaveFile(path, bytes, size);
}

bool dataFilePath(char* out, int size, const char* name) {
    const char* folder = playerFolder();
    int needed = snprintf(out, size, "%s%s", folder, name);
    if (needed < 0 || needed >= size) {
        if (size > 0) out[0] = 0;
        return false;
    }
    if (strcmp(folder, dataFolder) != 0) copyStartingFile(out, name);
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
