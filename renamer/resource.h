// Resource ids of Pelmora.
#pragma once

#define IDI_PELMORA 1
