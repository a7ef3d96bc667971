#!/bin/busybox sh
# First process of the test guest: load the HID modules, run the test, power off (the host reads the console).
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in hid hid-generic uhid; do
    insmod "/modules/$module.ko" || echo "NOLT-QEMU-ERROR: insmod $module failed"
done
/test/guest_hid_test
echo "NOLT-QEMU-EXIT: $?"
poweroff -f
