#pragma once
// Stands in for fsync while it lives: records each wait of a save for the
// disk, lets a test look around at that moment, and can make the wait at
// one point fail as a failing disk would.

#include "settings/file_access.h"

#include <cerrno>
#include <optional>
#include <vector>

struct RecordedDiskSync
{
    RecordedDiskSync()
        : previous(replaceDiskSync([this](int handle, DiskSyncPoint point) {
              points.push_back(point);
              if (onSync)
                  onSync(handle, point);
              errno = failCode;
              return failAt == point ? -1 : 0;
          }))
    {
    }
    ~RecordedDiskSync() { replaceDiskSync(std::move(previous)); }

    std::vector<DiskSyncPoint> points;
    std::function<void(int handle, DiskSyncPoint point)> onSync;
    std::optional<DiskSyncPoint> failAt;
    int failCode = EIO;
    DiskSync previous;
};
