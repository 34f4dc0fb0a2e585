// The recent-file list: most recent first, no duplicates (paths compare
// without regard to case), at most Capacity() entries. The menu texts are
// "&1 path" with long paths shortened to the drive, "..." and as many
// trailing folders as fit. Portable; loading, saving and the menu are in
// RecentFileList_win.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentFileList {
public:
    static const size_t kMaxDisplayLength = 30;

    explicit RecentFileList(size_t capacity) : m_nCapacity(capacity) {}

    void Add(const std::string& path);
    void Remove(size_t index);
    size_t Size() const { return m_files.size(); }
    size_t Capacity() const { return m_nCapacity; }
    const std::string& operator[](size_t index) const { return m_files[index]; }

    // Menu text of entry index (counted from 0).
    static std::string MenuText(size_t index, const std::string& path);
    // path shortened to at most maxLength characters where possible:
    // "C:\...\folder\name.ext"; the file name alone is never cut.
    static std::string AbbreviatePath(const std::string& path, size_t maxLength);

    // Win32: section "Recent File List", keys File1..FileN of profile.
    void ReadList(const std::string& profile);
    void WriteList(const std::string& profile) const;

private:
    size_t m_nCapacity;
    std::vector<std::string> m_files;
};
