// FST read and write speed on a 1920 x 1080 screen-like image.
#include "formats/XFileFst.h"

#include "PcxTifBench.h"

int main()
{
    for (int bits : {8, 24}) pcxtif::BenchCodec<XFileFst>("fst", bits);
    return 0;
}
