/* The Win32 bound, readall.c's twin for Windows and Wine: walks the tree with
 * FindFirstFileA/FindNextFileA and reads each file named *.htm, *.html or *.php
 * (any case) whole with CreateFileA and ReadFile into one reused buffer,
 * writing nothing. Links (reparse points) are not followed.
 *
 *   readall-win32.exe SITE_FOLDER      prints the page count and bytes read
 */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static char buffer[256 * 1024];
static unsigned long long pages, bytes;

static int is_page(const char *name) {
  const char *dot = strrchr(name, '.');
  return dot &&
         (_stricmp(dot, ".htm") == 0 || _stricmp(dot, ".html") == 0 || _stricmp(dot, ".php") == 0);
}

static void read_page(const char *path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD got;
  while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0) bytes += got;
  CloseHandle(file);
  ++pages;
}

/* `path` holds the folder with its trailing backslash, `length` characters of
 * it; the buffer is MAX_PATH long, as far as the A functions reach. */
static void walk(char *path, size_t length) {
  WIN32_FIND_DATAA data;
  if (length + 2 > MAX_PATH) return;
  strcpy(path + length, "*");
  HANDLE find = FindFirstFileA(path, &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const char *name = data.cFileName;
    const size_t name_length = strlen(name);
    if (length + name_length + 2 > MAX_PATH) continue;
    memcpy(path + length, name, name_length + 1);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
      path[length + name_length] = '\\';
      walk(path, length + name_length + 1);
    } else if (is_page(name)) {
      read_page(path);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: readall-win32 SITE_FOLDER\n");
    return 2;
  }
  char path[MAX_PATH];
  size_t length = strlen(argv[1]);
  if (length + 2 > MAX_PATH) return 1;
  memcpy(path, argv[1], length + 1);
  if (length == 0 || path[length - 1] != '\\') path[length++] = '\\';
  if (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
    fprintf(stderr, "readall-win32: %s cannot be opened\n", argv[1]);
    return 1;
  }
  walk(path, length);
  printf("%llu pages, %llu bytes\n", pages, bytes);
  return 0;
}
