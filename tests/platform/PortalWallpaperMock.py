'''A desktop portal whose wallpaper request is recorded and answered, for the desktop tests.

Parameters: "log", the file each requested address is appended to, one a line; "response", the
request's outcome (0 done, 1 cancelled, 2 failed).
'''
import dbus

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.Wallpaper'
SYSTEM_BUS = False


def load(mock, parameters):
    log = parameters['log']
    response = parameters.get('response', 0)

    def set_wallpaper_uri(self, parent_window, uri, options):
        with open(log, 'a', encoding='utf-8') as out:
            out.write(uri + '\n')
        handle = '/org/freedesktop/portal/desktop/request/mock/' + str(options.get('handle_token', 'token'))
        self.EmitSignalDetailed('org.freedesktop.portal.Request', 'Response', 'ua{sv}',
                                [dbus.UInt32(response), dbus.Dictionary({}, signature='sv')],
                                {'path': handle})
        return dbus.ObjectPath(handle)

    mock.AddMethod(MAIN_IFACE, 'SetWallpaperURI', 'ssa{sv}', 'o', set_wallpaper_uri)
    # The name is owned before the template loads: the test may call from now on.
    print('ready', flush=True)
