#include "picture/decode/lzw_decoder.h"
