/* The portable game is started from wherever its folder was unpacked, by a
 * terminal in any directory or by a file manager, while it reads vexo.dat
 * from its working directory: before main, it moves into its own folder. */
#include <libgen.h>
#include <limits.h>
#include <unistd.h>

__attribute__((constructor)) static void enter_own_folder(void)
{
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0)
    return; /* no /proc: it stays where it was started, as the Linux build does */
  path[length] = '\0';
  if (chdir(dirname(path)) != 0)
    return; /* the game then reports vexo.dat missing, naming the folder it looked in */
}
