#pragma once

// Qt's HTTP connections write a request's header and its body in two writes and leave Nagle's
// algorithm on, so on a kept-alive connection the body waits for the server's delayed
// acknowledgement of the header (about 40 ms per request). Qt gives no access to those sockets;
// this switches the delay off on every TCP socket the process holds, which only ever makes small
// writes leave sooner.
class LowDelaySockets
{
public:
    // Returns how many sockets were switched now (those switched before are left alone).
    static int apply();
};
