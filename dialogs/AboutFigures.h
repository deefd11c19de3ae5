// The About box's figures: physical memory and the free space of the current drive, in
// kilobytes. The arithmetic is 64-bit, so drives and memory beyond 4 GB show in full.
#pragma once
#include <windows.h>
#include <string>

// Bytes that GetDiskFreeSpace's figures stand for; stops at the largest value instead of wrapping.
unsigned long long FreeBytes(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);

// The root folder of the drive or share holding path ("C:\", "\\server\share\"), or empty when
// the path names neither.
std::string DiskRoot(const std::string& path);

// "abDiskSpaceFmt" with the free kilobytes of the drive or share holding directory, or
// "abDiskSpaceUnavailable" when the system cannot tell.
std::string FreeDiskSpaceText(const std::string& directory);

// "abPhysMemFmt" with the computer's physical memory in kilobytes.
std::string PhysicalMemoryText();
