# The barcode pages' data check and Code128 rewrite over any bytes, and
# barcodetool's command line.
pkg_fuzz(barcode_data_check ${CMAKE_CURRENT_SOURCE_DIR}/barcode_data_check.cpp pkg_barcode)
pkg_fuzz(barcode_code128 ${CMAKE_CURRENT_SOURCE_DIR}/barcode_code128.cpp pkg_barcode)
pkg_fuzz(barcodetool_args ${CMAKE_CURRENT_SOURCE_DIR}/barcodetool_args.cpp barcodetool_cli)
