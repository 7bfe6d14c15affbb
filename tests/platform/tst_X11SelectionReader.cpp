// PARLAVINE_TEST_NEEDS_DISPLAY: a real X server and a selection owner of our own.
#include "TestMain.h"
#include "platform/X11SelectionReader.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// A selection of this process alone, not PRIMARY, which a program left on the display could take
// over mid-read.
xcb_atom_t ownSelection(xcb_connection_t* connection)
{
    const QString name = QStringLiteral("PARLAVINE_TEST_SELECTION_%1").arg(QCoreApplication::applicationPid());
    return atomNamed(connection, qPrintable(name));
}

// Owns the selection on a connection and thread of its own, as another program would: answers UTF-8
// requests with `text` in one piece or in parts of `part` bytes (the INCR protocol), or never.
class SelectionOwner
{
public:
    enum Answer { Whole, InParts, Never };

    SelectionOwner(const QByteArray& text, Answer answer, int part = 64 * 1024)
        : m_text(text), m_answer(answer), m_part(part), m_connection(xcb_connect(nullptr, nullptr))
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_utf8 = atomNamed(m_connection, "UTF8_STRING");
        m_incr = atomNamed(m_connection, "INCR");
        m_selection = ownSelection(m_connection);
        xcb_set_selection_owner(m_connection, m_window, m_selection, XCB_CURRENT_TIME);
        // A round trip: the server handles each connection's requests in its own order, so without
        // it a reader's request could come first and find no owner.
        std::free(xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
        m_thread = std::thread([this] { serve(); });
    }

    xcb_atom_t selection() const { return m_selection; }

    ~SelectionOwner()
    {
        m_stop = true;
        m_thread.join();
        xcb_disconnect(m_connection);
    }

private:
    void serve()
    {
        while (!m_stop) {
            pollfd readable{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&readable, 1, 20);
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const int type = event->response_type & 0x7f;
                if (type == XCB_SELECTION_REQUEST && m_answer != Never)
                    answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
                else if (type == XCB_PROPERTY_NOTIFY)
                    nextPart(*reinterpret_cast<xcb_property_notify_event_t*>(event));
                std::free(event);
            }
        }
    }

    void answer(const xcb_selection_request_event_t& request)
    {
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = XCB_ATOM_NONE;
        if (request.target == m_utf8) {
            notify.property = request.property;
            if (m_answer == Whole) {
                put(request.requestor, request.property, m_utf8, m_text);
            } else {
                // Told when the reader deletes a part, the cue for the next one.
                const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(m_connection, request.requestor, XCB_CW_EVENT_MASK, &events);
                const std::uint32_t size = std::uint32_t(m_text.size());
                xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                                    m_incr, 32, 1, &size);
                m_requestor = request.requestor;
                m_property = request.property;
                m_sent = 0;
            }
        }
        xcb_send_event(m_connection, 0, request.requestor, 0, reinterpret_cast<const char*>(&notify));
        xcb_flush(m_connection);
    }

    void nextPart(const xcb_property_notify_event_t& notify)
    {
        if (notify.window != m_requestor || notify.atom != m_property || notify.state != XCB_PROPERTY_DELETE
            || m_sent < 0)
            return;
        const QByteArray part = m_text.mid(m_sent, m_part);
        put(m_requestor, m_property, m_utf8, part);
        m_sent = part.isEmpty() ? -1 : m_sent + int(part.size()); // the empty part ends it
        xcb_flush(m_connection);
    }

    void put(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const QByteArray& bytes)
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                            std::uint32_t(bytes.size()), bytes.constData());
    }

    const QByteArray m_text;
    const Answer m_answer;
    const int m_part;
    xcb_connection_t* m_connection;
    xcb_window_t m_window = 0;
    xcb_atom_t m_selection = 0;
    xcb_atom_t m_utf8 = 0;
    xcb_atom_t m_incr = 0;
    xcb_window_t m_requestor = 0;
    xcb_atom_t m_property = 0;
    int m_sent = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

const QByteArray kLine = QByteArrayLiteral("Grüße aus der Ferne. ");

} // namespace

class TestX11SelectionReader : public QObject
{
    Q_OBJECT
private slots:
    void readsBigSelectionsOnlyInPart_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("in one piece") << int(SelectionOwner::Whole);
        QTest::newRow("in parts") << int(SelectionOwner::InParts);
    }

    // Two megabytes selected: the reader keeps its limit's worth, cut at a character.
    void readsBigSelectionsOnlyInPart()
    {
        QFETCH(int, answer);
        const QByteArray big = kLine.repeated(2 * 1024 * 1024 / kLine.size());
        SelectionOwner owner(big, SelectionOwner::Answer(answer));
        X11SelectionReader reader;
        const QString text = reader.read(owner.selection(), 10000, 5000);
        QVERIFY2(text.size() > 9000 && text.size() <= 10000, qPrintable(QString::number(text.size())));
        QVERIFY(QString::fromUtf8(big).startsWith(text));
    }

    // An owner that never answers gives nothing, and leaves nothing behind for the next read.
    void silentOwnerGivesNothing()
    {
        X11SelectionReader reader;
        {
            SelectionOwner silent("never sent", SelectionOwner::Never);
            QCOMPARE(reader.read(silent.selection(), 1000, 300), QString());
        }
        SelectionOwner owner("Hello", SelectionOwner::InParts, 2);
        QCOMPARE(reader.read(owner.selection(), 1000, 5000), QStringLiteral("Hello"));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestX11SelectionReader)
#include "tst_X11SelectionReader.moc"
