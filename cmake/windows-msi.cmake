# Makes the Windows Installer package with wixl, the same bytes from the same
# program wherever and whenever it is made. wixl itself stamps the package with
# the clock and a random package code: the clock it reads is held still at the
# archive's time (faketime -f: a clock left running from there would stamp the
# second wixl reads it in, a later one on a slower build), and the package code
# is then set (msibuild) to one derived from everything the package is made
# of. The product code is derived the same way, so that each different program
# is a new product, which replaces the one installed, and the same program is
# always the same one.
# Usage: cmake -DOUTPUT=x.msi -DSTAGE=folder -DWXS=x.wxs -DPROGRAM=x.exe -DICON=x.ico
#              -DVERSION=1.00 -DNAME=caption -DMANUFACTURER=name -P windows-msi.cmake
include(${CMAKE_CURRENT_LIST_DIR}/archive-staging.cmake)
stage_archive_files(${STAGE} names FILES ${ICON} PROGRAMS ${PROGRAM})
get_filename_component(program ${PROGRAM} NAME)
get_filename_component(icon ${ICON} NAME)

set(made_of "${VERSION}")
foreach(file ${WXS} ${STAGE}/${program} ${STAGE}/${icon})
  file(SHA256 ${file} digest)
  string(APPEND made_of " ${digest}")
endforeach()
# Any fixed namespace serves: this is the package's upgrade code.
set(namespace EABFBC21-6C30-4B91-B80A-E644CE1E7354)
string(UUID product_code NAMESPACE ${namespace} NAME "product ${made_of}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${namespace} NAME "package ${made_of}" TYPE SHA1 UPPER)

file(REMOVE ${OUTPUT})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC faketime -f "${archive_time}"
          wixl -a x64 -D Version=${VERSION} -D ProductCode=${product_code}
          -D Icon=${icon} -D Program=${program} -o ${OUTPUT} ${WXS}
  WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
# A rebuilt program of the same version replaces the installed one too, as an
# earlier version does (WiX's AllowSameVersionUpgrades, which wixl lacks): the
# upgrade row's maximum is included (513: migrate features, include maximum).
# Installing an earlier version over a later one is still refused.
set(upgrade "'{${namespace}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED'")
execute_process(
  COMMAND msibuild ${OUTPUT} -s ${NAME} ${MANUFACTURER} "x64;1033" {${package_code}}
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND msibuild ${OUTPUT}
          -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
          -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES (${upgrade})"
  COMMAND_ERROR_IS_FATAL ANY)
