#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Reading the files of one process below the process file system.

// One line of /proc/PID/stat: "pid (name) state ppid ... num_threads ...".
// The name may hold spaces and parentheses, so the fields are counted after
// the last ')'. The name between the parentheses is the same text the comm
// file holds, so one file gives name, parent, nice value, threads and start
// time.
struct StatFields {
    std::string_view name;
    int parentPid = 0;
    int threads = 0;
    int nice = 0;
    std::uint64_t startTime = 0;  // clock ticks after boot; 0 when the line ends before it
};

// Reads and parses "<pidDir>/stat" below dirFd; the name in `fields` points
// into `buffer`. False for a process that ended since it was listed.
bool ReadStatAt(int dirFd, const std::string& pidDir, std::string& buffer, StatFields& fields);

// The image name of the process in `pidDir` whose kernel name is `comm`:
// `comm` itself, or, when the kernel cut it at 15 bytes, the full file name it
// was cut from, so long names and scripts show as they were started.
std::string ImageNameAt(int dirFd, const std::string& pidDir, std::string_view comm);

// The target of a symbolic link below dirFd; empty when it cannot be read.
std::string ReadLinkAt(int dirFd, const std::string& rel);

}  // namespace velmora
