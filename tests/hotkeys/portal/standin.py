#!/usr/bin/python3
"""A stand-in for the desktop's GlobalShortcuts portal on a private session
bus: answers CreateSession and BindShortcuts as the interface describes,
checks what the pad asks for, writes each call to the log named on the
command line, and emits Activated when its test method Press is called."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PATH = '/org/freedesktop/portal/desktop'
IFACE = 'org.freedesktop.portal.GlobalShortcuts'
log = open(sys.argv[1], 'a', buffering=1)


class Request(dbus.service.Object):
    @dbus.service.signal('org.freedesktop.portal.Request', signature='ua{sv}')
    def Response(self, response, results):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.sessions = []
        self.response = 0  # 1 once told to refuse: the user cancelled

    def answer(self, sender, token, results):
        path = '%s/request/%s/%s' % (PATH, sender[1:].replace('.', '_'), token)
        request = Request(self.bus, path)
        # After the method's reply, as a real portal does.
        GLib.idle_add(lambda: request.Response(dbus.UInt32(self.response), results) and False)
        return dbus.ObjectPath(path)

    @dbus.service.method('org.freedesktop.DBus.Properties', in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        if interface != IFACE or name != 'version':
            raise dbus.exceptions.DBusException('no such property', name='org.freedesktop.DBus.Error.InvalidArgs')
        return dbus.UInt32(1)

    @dbus.service.method(IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
    def CreateSession(self, options, sender):
        session = '%s/session/%s/%s' % (PATH, sender[1:].replace('.', '_'), options['session_handle_token'])
        self.sessions.append(session)
        log.write('CreateSession %s\n' % session)
        return self.answer(sender, options['handle_token'], {'session_handle': session})

    @dbus.service.method(IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o', sender_keyword='sender')
    def BindShortcuts(self, session, shortcuts, parent, options, sender):
        if session not in self.sessions:
            raise dbus.exceptions.DBusException('unknown session', name='org.freedesktop.DBus.Error.InvalidArgs')
        for shortcut_id, props in shortcuts:
            log.write('BindShortcuts %s "%s" %s\n' % (shortcut_id, props.get('description', ''),
                                                      props.get('preferred_trigger', '')))
        return self.answer(sender, options['handle_token'], {'shortcuts': shortcuts})

    @dbus.service.signal(IFACE, signature='osta{sv}')
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method('org.jotwell.Test')
    def Refuse(self):
        self.response = 1

    @dbus.service.method('org.jotwell.Test', in_signature='s')
    def Press(self, shortcut_id):
        for session in self.sessions:
            self.Activated(dbus.ObjectPath(session), shortcut_id, dbus.UInt64(0), {})


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName('org.freedesktop.portal.Desktop', bus)
portal = Portal(bus)
log.write('ready\n')
GLib.MainLoop().run()
