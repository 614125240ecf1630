#include <stdio.h>

#include "splash_data.h"

_Static_assert(sizeof IMG_DATA == IMG_DATA_TOT_BYTES, "the array holds every byte");

int main(void)
{
    fwrite(IMG_DATA, 1, sizeof IMG_DATA, stdout);
    return 0;
}
