// WPG read and write speed on a 1920 x 1080 screen-like image.
#include "formats/XFileWpg.h"

#include "PcxTifBench.h"

int main()
{
    for (int bits : {1, 4, 8}) pcxtif::BenchCodec<XFileWpg>("wpg", bits);
    return 0;
}
