#include "dialogs/AboutFigures.h"
#include "lang/Language.h"

namespace {
const unsigned long long Largest = ~0ULL;

std::string Kilobytes(unsigned long long bytes) {
    return std::to_string(bytes / 1024);
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
}  // namespace

unsigned long long FreeBytes(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters) {
    // Two 32-bit factors always fit; the third may not.
    unsigned long long clusterBytes = static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector;
    if (freeClusters != 0 && clusterBytes > Largest / freeClusters) return Largest;
    return clusterBytes * freeClusters;
}

std::string DiskRoot(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && IsCharAlphaA(path[0])) return path.substr(0, 2) + "\\";
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return std::string();
    // \\server\share\...: the root is the share, with one closing backslash.
    size_t server = path.find_first_of("\\/", 2);
    if (server == std::string::npos || server == 2 || server + 1 >= path.size()) return std::string();
    size_t share = path.find_first_of("\\/", server + 1);
    if (share == server + 1) return std::string();
    return path.substr(0, share) + "\\";
}

std::string FreeDiskSpaceText(const std::string& directory) {
    std::string root = DiskRoot(directory);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.empty() ? nullptr : root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return GetText("abDiskSpaceUnavailable");
    return FormatText("abDiskSpaceFmt", {Kilobytes(FreeBytes(sectorsPerCluster, bytesPerSector, freeClusters)).c_str()});
}

std::string PhysicalMemoryText() {
    // The extended status, since the plain one cannot report more than 4 GB to a 32-bit build.
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    unsigned long long total = GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
    return FormatText("abPhysMemFmt", {Kilobytes(total).c_str()});
}
