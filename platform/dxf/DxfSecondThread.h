#pragma once
// Whether work of `amount` units (records, bytes) is worth a second thread,
// given that it pays from `from` units on where a core is free to run it.
// On a machine whose cores are busy the two threads take turns on one core,
// and handing work over costs more than the second thread saves. Free cores
// are the cores this process may use less the busy ones: the more of the
// tasks running right now and the one-minute load average, this thread not
// counted in either (the average counts it when it has been reading, as a
// program that opens drawings one after another does).
// DDS_DXF_READ_AHEAD=on or off decides instead, for measuring both ways.
#include <cstddef>

bool dxfSecondThreadPays(std::size_t amount, std::size_t from);
