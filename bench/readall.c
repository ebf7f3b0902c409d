/* The lower bound for any tool that reads every page: walks the tree and reads
 * each file named *.htm, *.html or *.php (any case) whole into one reused
 * buffer, writing nothing. As few system calls as such a tool can make: one
 * listing of each folder, the entry types from readdir() (no stat), and per
 * page openat() relative to its folder, read() until the end, close().
 *
 *   readall SITE_FOLDER      prints the page count and bytes read
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

static char buffer[256 * 1024];
static unsigned long long pages, bytes;

static int is_page(const char *name) {
  const char *dot = strrchr(name, '.');
  return dot && (strcasecmp(dot, ".htm") == 0 || strcasecmp(dot, ".html") == 0 ||
                 strcasecmp(dot, ".php") == 0);
}

static void read_page(int folder_fd, const char *name) {
  const int fd = openat(folder_fd, name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) bytes += (unsigned long long)n;
  close(fd);
  ++pages;
}

/* Takes ownership of folder_fd. Links are not followed (d_type DT_LNK). */
static void walk(int folder_fd) {
  DIR *dir = fdopendir(folder_fd);
  if (!dir) {
    close(folder_fd);
    return;
  }
  struct dirent *entry;
  while ((entry = readdir(dir)) != NULL) {
    const char *name = entry->d_name;
    if (entry->d_type == DT_DIR) {
      if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
      const int sub = openat(folder_fd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (sub >= 0) walk(sub);
    } else if (entry->d_type == DT_REG && is_page(name)) {
      read_page(folder_fd, name);
    }
  }
  closedir(dir);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: readall SITE_FOLDER\n");
    return 2;
  }
  const int root = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (root < 0) {
    perror(argv[1]);
    return 1;
  }
  walk(root);
  printf("%llu pages, %llu bytes\n", pages, bytes);
  return 0;
}
