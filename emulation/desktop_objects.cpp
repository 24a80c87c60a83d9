// The count of live desktop objects, for the leak checks of tests.
#include "emulation/desktop_internal.h"
#include "emulation/desktop_testing.h"
#include "emulation/kernel_objects.h"

namespace emulation {

DesktopObjects liveDesktopObjects() {
    DesktopObjects objects;
    objects.windows = desktop::liveWindowCount();
    objects.cursors = desktop::liveCursorCount();
    objects.kernelHandles = kernel::openHandleCount();
    objects.globalMemoryBlocks = desktop::globalMemoryBlockCount();
    objects.bitmaps = desktop::liveBitmapCount();
    objects.deviceContexts = desktop::liveDeviceContextCount();
    objects.clipboardItems = desktop::clipboardItemCount();
    objects.uncollectedObjects = desktop::pendingObjectResultCount();
    return objects;
}

std::ostream& operator<<(std::ostream& out, const DesktopObjects& objects) {
    return out << "{windows " << objects.windows << ", cursors " << objects.cursors
               << ", kernel handles " << objects.kernelHandles << ", global memory "
               << objects.globalMemoryBlocks << ", bitmaps " << objects.bitmaps
               << ", device contexts " << objects.deviceContexts << ", clipboard items "
               << objects.clipboardItems << ", uncollected objects " << objects.uncollectedObjects
               << "}";
}

}  // namespace emulation
