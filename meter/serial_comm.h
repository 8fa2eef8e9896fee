// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zm {

// Where a port number leads: the device it opens, and the link that can point it elsewhere.
struct PortRoute {
    std::string device;    // "/dev/ttyUSB0"; empty for a port number below 1
    std::string linkPath;  // "/home/op/zm480/ports/com1", whether or not the link exists
    bool linked = false;   // true: the device is where that link points
};

// The serial port as start-up and the meter poll use it (the program's MSComm1).
// Text goes out and comes in as single bytes; there is no handshake and no terminator.
class SerialComm {
public:
    virtual ~SerialComm() = default;

    // Port number 1..16; only while the port is closed.
    virtual void setCommPort(int portNumber) = 0;
    virtual int commPort() const = 0;
    // For the user to read: which device port N opens, and through which link.
    virtual PortRoute routeOf(int portNumber) const = 0;
    // "38400,n,8,1": baud, parity, data bits, stop bits. False when the text is not
    // one the port can take (the port keeps its previous settings).
    virtual bool setSettings(std::string_view settings) = 0;
    // 0: one read returns everything received so far.
    virtual void setInputLen(int length) = 0;

    // False when the device is missing, busy, or not ours to open.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Throw away what is still waiting to go out / what has come in.
    virtual void clearOutBuffer() = 0;
    virtual void clearInBuffer() = 0;

    // False on a serial error; after a real error (device gone, read failure) the port
    // is closed and stays closed until the next open().
    virtual bool output(std::string_view bytes) = 0;
    // Everything that arrived since the buffers were cleared, also while no event loop
    // ran. Empty on an error (and the port is then closed, as above).
    virtual std::string input() = 0;
};

}  // namespace zm
