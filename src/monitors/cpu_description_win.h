#pragma once
// The running system's own description of its processor: the first processor's registry key
// and the cache records of GetLogicalProcessorInformationEx.
#include "monitors/cpu_description.h"

CpuDescription DescribeSystemCpu();
