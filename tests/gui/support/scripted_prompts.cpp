#include "support/scripted_prompts.h"
