// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
/* C interface of the bridge access library (libvdlink.so and the simulated
 * libvdlink-sim.so). Every call returns a status, 0 meaning success. Devices are
 * addressed by index 0 to count-1 until opened, then by a handle greater than 0.
 * The monitor calls the first eight, and the optional VD_GetSkippedPorts,
 * VD_WaitForData and VD_GetPortOpener where the library has them; the other
 * seven are part of the library's interface but the monitor never calls them. */
#ifndef ZELVO_VDLINK_H
#define ZELVO_VDLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t VD_STATUS;
typedef int32_t VD_HANDLE;

#define VD_OK 0
#define VD_INVALID_HANDLE 1
#define VD_DEVICE_NOT_FOUND 2
#define VD_DEVICE_NOT_OPENED 3
#define VD_IO_ERROR 4
#define VD_INVALID_PARAMETER 6
#define VD_INVALID_BAUD_RATE 7
/* VD_Open: another program holds the port (its lock, its exclusive mode, or
 * simply open). */
#define VD_DEVICE_IN_USE 8
/* VD_WaitForData: the time passed with no byte to read. */
#define VD_WAIT_TIMEOUT 9

/* Size of the buffer VD_GetProductString fills (text of at most 255 characters
 * and its NUL). */
#define VD_PRODUCT_STRING_SIZE 257
/* VD_GetProductString options. */
#define VD_PRODUCT_SERIAL_NUMBER 0
#define VD_PRODUCT_ID 4
/* The device's port path (the serial library's; others answer
 * VD_INVALID_PARAMETER). */
#define VD_PRODUCT_PORT 8

/* Number of devices on the bus. */
VD_STATUS VD_GetNumDevices(int32_t* count);
/* Fills buffer (VD_PRODUCT_STRING_SIZE bytes) with the device's serial number
 * (option 0), USB product ID as hexadecimal text (option 4) or port path
 * (option 8), NUL-terminated. */
VD_STATUS VD_GetProductString(int32_t deviceIndex, char* buffer, int32_t option);
/* Opens a device; *handle > 0 on success. Refusals: VD_DEVICE_NOT_FOUND for an
 * index outside the last enumeration, VD_DEVICE_IN_USE for a port that another
 * program holds (VD_GetPortOpener names it), VD_DEVICE_NOT_OPENED for a port
 * that is missing, forbidden or not a terminal, VD_IO_ERROR for a terminal
 * that refuses its settings. */
VD_STATUS VD_Open(int32_t deviceIndex, VD_HANDLE* handle);
VD_STATUS VD_SetBaudRate(VD_HANDLE handle, int32_t baudRate);
/* Empties the transmit and/or receive queue (flags 0 or 1). */
VD_STATUS VD_FlushBuffers(VD_HANDLE handle, int32_t flushTransmit, int32_t flushReceive);
/* overlapped must be NULL. */
VD_STATUS VD_Write(VD_HANDLE handle, const void* buffer, int32_t bytesToWrite,
                   int32_t* bytesWritten, void* overlapped);
/* Returns at once when no byte has arrived (*bytesReturned 0). Once bytes have
 * arrived, libvdlink.so returns the whole line they begin: it collects until the
 * line's LF, bytesToRead bytes, or ten characters' time at the line rate (at
 * least 20 ms) without a byte, so that a reply the bridge delivers in pieces
 * comes in one read. libvdlink-sim.so returns one arrived piece per read.
 * overlapped must be NULL. */
VD_STATUS VD_Read(VD_HANDLE handle, void* buffer, int32_t bytesToRead, int32_t* bytesReturned,
                  void* overlapped);
VD_STATUS VD_Close(VD_HANDLE handle);

/* Optional (the serial library's; a library may lack it): one line
 * "path<TAB>reason<LF>" per ZELVO_PORTS entry the last VD_GetNumDevices left out,
 * reason "not a terminal", "missing" or "duplicate", and per port VD_Open could not
 * open for want of permission, reason "no permission to open it (join the group
 * zelvo)". NUL-terminated, truncated
 * at size-1 characters. */
VD_STATUS VD_GetSkippedPorts(char* buffer, int32_t size);

/* Optional: blocks until bytes wait to be read on the handle (VD_OK) or
 * timeoutMs (0 or more) have passed without any (VD_WAIT_TIMEOUT); VD_IO_ERROR
 * once the device is gone. Returns at once when bytes are already waiting.
 * The serial library polls the port; the simulated one sleeps until the next
 * reply piece is due, and with a test's manual clock answers at once. A caller
 * without it sleeps about a millisecond between reads. */
VD_STATUS VD_WaitForData(VD_HANDLE handle, int32_t timeoutMs);

/* Optional (the serial library's): the program other than the caller that
 * holds the device of this index open, for naming it after VD_Open answered
 * VD_DEVICE_IN_USE. *pid is its process ID and name (nameSize bytes, at least 1)
 * its name, NUL-terminated, empty when it cannot be read; *pid is 0 and the name
 * empty when no such program is seen (a lock held by a process the caller may
 * not inspect). VD_DEVICE_NOT_FOUND for an index outside the last enumeration.
 * The server of a pseudo-terminal is its far end, not another program. */
VD_STATUS VD_GetPortOpener(int32_t deviceIndex, int32_t* pid, char* name, int32_t nameSize);

/* Not called by the monitor. */
VD_STATUS VD_GetPartNumber(VD_HANDLE handle, uint8_t* partNumber);
VD_STATUS VD_SetTimeouts(VD_HANDLE handle, int32_t readTimeoutMs, int32_t writeTimeoutMs);
VD_STATUS VD_GetTimeouts(VD_HANDLE handle, int32_t* readTimeoutMs, int32_t* writeTimeoutMs);
VD_STATUS VD_SetLineControl(VD_HANDLE handle, uint8_t dataBits, uint8_t parity, uint8_t stopBits);
VD_STATUS VD_SetFlowControl(VD_HANDLE handle, uint16_t flowMode, uint8_t xonChar, uint8_t xoffChar);
VD_STATUS VD_GetModemmlStatus(VD_HANDLE handle, uint8_t* modemStatus);
VD_STATUS VD_CheckRXQueue(VD_HANDLE handle, uint32_t* bytesInQueue, uint32_t* queueStatus);

#ifdef __cplusplus
}
#endif

#endif /* ZELVO_VDLINK_H */
