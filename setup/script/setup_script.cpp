// The process-wide script record.
#include "setup/script/setup_script.h"

SetupScript g_setupScript;
