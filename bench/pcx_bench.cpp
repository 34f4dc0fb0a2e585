// PCX read and write speed on a 1920 x 1080 screen-like image.
#include "formats/XFilePcx.h"

#include "PcxTifBench.h"

int main()
{
    for (int bits : {8, 24}) pcxtif::BenchCodec<XFilePcx>("pcx", bits);
    return 0;
}
