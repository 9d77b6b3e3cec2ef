/* The C++ runtime linked into the portable game reaches arc4random (for
 * std::random_device), which the C library has only had since 2.36. The
 * game never calls it, but the reference alone would refuse older C
 * libraries; this one draws from the kernel as the C library's does, through
 * getrandom, there since 2.25. */
#include <stdint.h>
#include <sys/random.h>

uint32_t arc4random(void)
{
  uint32_t value;
  while (getrandom(&value, sizeof value, 0) != (ssize_t)sizeof value)
    continue; /* interrupted before the kernel's pool was ready: ask again */
  return value;
}
