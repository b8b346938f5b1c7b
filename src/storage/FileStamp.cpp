#include "storage/FileStamp.h"

#include <sys/stat.h>

namespace velmora {

FileStamp FileStamp::Of(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    return {true,
            st.st_dev,
            st.st_ino,
            st.st_mode,
            st.st_size,
            st.st_mtim.tv_sec,
            st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec,
            st.st_ctim.tv_nsec};
}

}  // namespace velmora
