#include "recording_dialogs.h"
