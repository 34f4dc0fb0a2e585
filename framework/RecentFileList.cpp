// Recent-file list logic: ordering, case-insensitive duplicates and the
// abbreviated menu texts.
#include "RecentFileList.h"

#include <algorithm>
#include <cctype>

namespace {
bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty() || m_nCapacity == 0) return;
    m_files.erase(std::remove_if(m_files.begin(), m_files.end(),
                                 [&](const std::string& file) { return SamePath(file, path); }),
                  m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_nCapacity) m_files.resize(m_nCapacity);
}

void RecentFileList::Remove(size_t index)
{
    if (index < m_files.size()) m_files.erase(m_files.begin() + std::ptrdiff_t(index));
}

std::string RecentFileList::AbbreviatePath(const std::string& path, size_t maxLength)
{
    if (path.size() <= maxLength) return path;
    size_t nameStart = path.find_last_of("\\/");
    if (nameStart == std::string::npos) return path;
    // Keep the root ("C:\" or "\\server\share\" up to its first folder).
    size_t rootEnd = path.find_first_of("\\/", path.size() > 2 && path[1] == ':' ? 2 : 0);
    if (path.compare(0, 2, "\\\\") == 0) {
        rootEnd = path.find_first_of("\\/", 2);
        if (rootEnd != std::string::npos) rootEnd = path.find_first_of("\\/", rootEnd + 1);
    }
    if (rootEnd == std::string::npos || rootEnd >= nameStart) return path;
    std::string root = path.substr(0, rootEnd + 1) + "...";
    // Add trailing folders while the result still fits.
    size_t tailStart = nameStart;
    for (;;) {
        if (tailStart == 0) break;
        size_t previous = path.find_last_of("\\/", tailStart - 1);
        if (previous == std::string::npos || previous <= rootEnd) break;
        if (root.size() + (path.size() - previous) > maxLength) break;
        tailStart = previous;
    }
    return root + path.substr(tailStart);
}

std::string RecentFileList::MenuText(size_t index, const std::string& path)
{
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : AbbreviatePath(path, kMaxDisplayLength)) {
        if (c == '&') text += '&';  // a literal ampersand in a menu item
        text += c;
    }
    return text;
}
