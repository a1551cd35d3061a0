#include "controls/SoundPathEdit.h"
