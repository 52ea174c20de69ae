// The one AppState of the process: neither the window nor the commands own it,
// so that both depend on it and not on each other.
#include "app_state.h"

AppState app_state;
