#ifndef NOLT_ATUSBHID_H
#define NOLT_ATUSBHID_H
/*
 * libAtUsbHid: access to one USB HID device through a small C interface.
 *
 * findHidDevice opens the first attached device with the given vendor and
 * product id and keeps it; the other calls address that device. Every call
 * made while no device is open returns 0. Booleans are ints, non-zero = true.
 */

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define ATUSBHID_API __attribute__((visibility("default")))
#else
#define ATUSBHID_API
#endif

/* Probes anew on every call: closes the device held so far, then opens the
 * first attached device with this vendor and product id (16-bit values). */
ATUSBHID_API int findHidDevice(unsigned vendorId, unsigned productId);
ATUSBHID_API void closeDevice(void);

/* Waits a few milliseconds at most for one input report and copies its
 * getInputReportLength() data bytes (no report-ID byte) into buffer; a
 * shorter report is padded with zeros. Returns 0 when none arrived. */
ATUSBHID_API int readData(unsigned char *buffer);

/* Sends getOutputReportLength() bytes from buffer as one output report. */
ATUSBHID_API int writeData(const unsigned char *buffer);

/* Sends getFeatureReportLength() bytes from buffer as one feature report. */
ATUSBHID_API int setFeature(const unsigned char *buffer);

/* Data bytes of the device's longest report of each kind. */
ATUSBHID_API int getInputReportLength(void);
ATUSBHID_API int getOutputReportLength(void);
ATUSBHID_API int getFeatureReportLength(void);

#ifdef __cplusplus
}
#endif

#endif
