// The picture a merge window prints: its images flattened on white. Apart
// from the rest of printing because the image operations' header and the
// settings' option structs cannot meet in one file.
#pragma once

#include <memory>

class XDocument;
class XImage;

// The document's images (two or more) flattened on white, titled and
// stamped as its top image; null when memory is short.
std::unique_ptr<XImage> FlattenForPrint(const XDocument& document);
