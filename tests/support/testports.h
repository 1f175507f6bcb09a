#pragma once

#include "link/portmap.h"

#include <QTemporaryDir>
#include <memory>

namespace tonaq::test {

// A COM-number map of the test's own: a temporary links folder (COM<n> links to the test's
// pseudo-terminals) and an empty device folder, so the machine's real ports never show.
class TestPorts {
public:
    TestPorts();
    // Makes COM<number> point at a device; true on success.
    bool link(int number, const QString &device);
    bool unlink(int number);
    PortMap &map() { return *m_map; }
    QString folder() const { return m_links.path(); }

private:
    QTemporaryDir m_links;
    QTemporaryDir m_devices;
    std::unique_ptr<PortMap> m_map;
};

} // namespace tonaq::test
