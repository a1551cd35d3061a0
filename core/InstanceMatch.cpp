#include "InstanceMatch.h"

#include "PathName.h"

bool IsOtherInstanceWindow(const WindowFacts& window, const std::string& ownImage,
                           unsigned long ownProcessId) {
    return window.title == kInstanceWindowTitle && window.className == kDialogClassName &&
           window.processId != ownProcessId && SameProgramFile(window.processImage, ownImage);
}
