#include "scheduler/core/CachedSetting.h"

#include "scheduler/core/SettingsKeys.h"
#include "storage/IniFile.h"

namespace velmora {

int CachedSetting::Value() {
    const FileStamp stamp = FileStamp::Of(path_);
    if (stamp_ != stamp) {
        IniFile ini(path_);
        ini.Load();
        value_ = ini.GetInt(kGeneralSettings, key_, def_);
        // A file that changed while it was read is read again next time.
        stamp_ = stamp;
        if (FileStamp::Of(path_) != stamp) {
            stamp_.reset();
        }
    }
    return value_;
}

}  // namespace velmora
