// String ids of the messages that reading and writing image files can end
// in: each format's "Unsupported ... file format.", the writers' refusals of
// a bit count, "Unrecognized format." and "Insufficient memory!". The format
// dispatch (ImageFile.cpp) turns codec errors into these ids. They are
// defined here only: the program's resource header includes this one, so
// the string table (whose texts stay with the other strings) and the rest of
// the program see the same ids.
#pragma once

#define IDS_UNSUPPORTED_BMP 32951
#define IDS_UNSUPPORTED_CLP 32952
#define IDS_UNSUPPORTED_FST 32953
#define IDS_UNSUPPORTED_GIF 32954
#define IDS_UNSUPPORTED_JPG 32955
#define IDS_UNSUPPORTED_PCX 32956
#define IDS_UNSUPPORTED_TIF 32957
#define IDS_UNSUPPORTED_WPG 32958
#define IDS_UNRECOGNIZED_FORMAT 32959
#define IDS_GIF_NO_24BIT 32960
#define IDS_WPG_NO_24BIT 32961
#define IDS_JPG_NO_4BIT 32962
#define IDS_INSUFFICIENT_MEMORY 32963
#define IDS_UNSUPPORTED_CUR 32964
#define IDS_UNSUPPORTED_ICO 32967
#define IDS_UNSUPPORTED_PNG 32972
