# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The hardening Debian builds its own C++ programs with, as
# `DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags` gives it on
# Debian 12 (less -O2 and -g, which the build type sets): a canary checked on
# return from every function with a local array or a local whose address is
# taken, the C library's checked string and memory functions where the
# compiler knows a buffer's size, format strings that cannot be injected, and
# a relocation table made read-only once the dynamic linker has resolved every
# symbol, at start-up. Debian's compilers build position-independent
# executables by default. None of these changes an arithmetic result.
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# The checked functions need the optimiser to know the sizes, and the C
# library warns about the macro in an unoptimised build.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
