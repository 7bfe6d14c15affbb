#pragma once

#include "StandinServer.h"

// The in-process stand-in for a Qt Test: a member of the test object. It starts the server,
// points PARLAVINE_API_URL and PARLAVINE_COLLECTOR_URL at it, and fails the running test
// function when the client made a request the stand-in did not expect.
//
//   void init() { m_standin.reset(); }
//   void cleanup() { m_standin.verify(); }
class StandinFixture
{
public:
    StandinFixture();
    ~StandinFixture();

    StandinServer& server() { return m_server; }
    StandinServer* operator->() { return &m_server; }

    // Forgets scripts, log, violations and valid sessions.
    void reset();
    // Fails the current test function with the list of violations, and forgets them.
    bool verify();

private:
    StandinServer m_server;
};
