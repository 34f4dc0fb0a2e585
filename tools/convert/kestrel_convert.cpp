// Placeholder until the format dispatch lands: prints usage.
#include <cstdio>

int main()
{
    std::fputs("usage: kestrel-convert IN OUT [FORMAT-INDEX] | --info IN\n", stderr);
    return 1;
}
