# SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Finds QCustomPlot built for Qt 6: its header, its library and the version
# the header declares. Debian's libqcustomplot-dev ships no pkg-config file.
# Defines QCustomPlot_FOUND, QCustomPlot_VERSION and the imported target
# QCustomPlot::QCustomPlot, which brings the Qt modules the library needs.

find_path(QCustomPlot_INCLUDE_DIR qcustomplot.h)
find_library(QCustomPlot_LIBRARY NAMES QCustomPlotQt6 qcustomplot-qt6)

if(QCustomPlot_INCLUDE_DIR AND EXISTS "${QCustomPlot_INCLUDE_DIR}/qcustomplot.h")
  file(STRINGS "${QCustomPlot_INCLUDE_DIR}/qcustomplot.h" _qcustomplot_version_line
       REGEX "^#define QCUSTOMPLOT_VERSION_STR \"[0-9.]+\"")
  string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" QCustomPlot_VERSION "${_qcustomplot_version_line}")
  unset(_qcustomplot_version_line)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(QCustomPlot
  REQUIRED_VARS QCustomPlot_LIBRARY QCustomPlot_INCLUDE_DIR
  VERSION_VAR QCustomPlot_VERSION
  REASON_FAILURE_MESSAGE "The chart needs QCustomPlot 2.1 for Qt 6. On Debian 12 run scripts/install-deps.sh \
or apt-get install libqcustomplot-dev, elsewhere point CMAKE_PREFIX_PATH at its installation.")

if(QCustomPlot_FOUND AND NOT TARGET QCustomPlot::QCustomPlot)
  find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
  add_library(QCustomPlot::QCustomPlot UNKNOWN IMPORTED)
  set_target_properties(QCustomPlot::QCustomPlot PROPERTIES
    IMPORTED_LOCATION "${QCustomPlot_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${QCustomPlot_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
endif()

mark_as_advanced(QCustomPlot_INCLUDE_DIR QCustomPlot_LIBRARY)
