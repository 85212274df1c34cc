-- The two databases of the payment service, as far as the finance client
-- reads and writes them. Shared by the tests and the demo.
SET NAMES utf8mb4;

DROP USER IF EXISTS ''@'localhost';
DROP DATABASE IF EXISTS test;

CREATE DATABASE IF NOT EXISTS xinghe CHARACTER SET gbk COLLATE gbk_chinese_ci;
CREATE DATABASE IF NOT EXISTS app_hdyqm_net_c CHARACTER SET gbk COLLATE gbk_chinese_ci;

USE xinghe;

CREATE TABLE qtx_shop_member (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  `user` VARCHAR(64) NOT NULL DEFAULT '',
  passwd VARCHAR(64) NOT NULL DEFAULT '',
  shopname VARCHAR(128) NOT NULL DEFAULT '',
  shopid VARCHAR(32) NOT NULL DEFAULT '',
  re_passwd VARCHAR(16) NOT NULL DEFAULT '',
  KEY by_user (`user`),
  KEY by_shop (shopid)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE qtx_shop_sub_member (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  workid VARCHAR(32) NOT NULL DEFAULT '',
  name VARCHAR(64) NOT NULL DEFAULT '',
  passwd VARCHAR(64) NOT NULL DEFAULT '',
  shopid VARCHAR(32) NOT NULL DEFAULT '',
  shopname VARCHAR(128) NOT NULL DEFAULT '',
  KEY by_workid (workid),
  KEY by_shop (shopid)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE qtx_shop_paylog (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Shopid VARCHAR(32) NOT NULL DEFAULT '',
  Shoppayid VARCHAR(64) NOT NULL DEFAULT '',
  Payclass VARCHAR(32) NOT NULL DEFAULT '',
  Money DECIMAL(12,2) NOT NULL DEFAULT 0,
  Time INT NOT NULL DEFAULT 0,
  status VARCHAR(16) NOT NULL DEFAULT '',
  Shopname VARCHAR(128) NOT NULL DEFAULT '',
  Workid VARCHAR(32) NOT NULL DEFAULT '',
  Name VARCHAR(64) NOT NULL DEFAULT '',
  sxf DECIMAL(12,2) NULL DEFAULT NULL,
  shouxufei DECIMAL(12,2) NULL DEFAULT NULL,
  shouxufeichengdan VARCHAR(32) NOT NULL DEFAULT '',
  KEY by_shop_time (Shopid, Time),
  KEY by_order (Shoppayid)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE lanbo_refund_log (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  shopid VARCHAR(32) NOT NULL DEFAULT '',
  out_trade_no VARCHAR(64) NOT NULL DEFAULT '',
  pay_class VARCHAR(32) NOT NULL DEFAULT '',
  pay_money DECIMAL(12,2) NOT NULL DEFAULT 0,
  pay_time VARCHAR(32) NOT NULL DEFAULT '',
  refund_time DATETIME NULL DEFAULT NULL,
  refund_no VARCHAR(64) NOT NULL DEFAULT '',
  refund_money DECIMAL(12,2) NOT NULL DEFAULT 0,
  KEY by_shop_time (shopid, refund_time)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE qtx_shop_code (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  shopid VARCHAR(32) NOT NULL DEFAULT '',
  item_name VARCHAR(128) NOT NULL DEFAULT '',
  code_class VARCHAR(32) NOT NULL DEFAULT '',
  code_text VARCHAR(64) NOT NULL DEFAULT '',
  money DECIMAL(12,2) NOT NULL DEFAULT 0,
  time INT NOT NULL DEFAULT 0,
  name VARCHAR(64) NOT NULL DEFAULT '',
  workid VARCHAR(32) NOT NULL DEFAULT '',
  shopname VARCHAR(128) NOT NULL DEFAULT '',
  KEY by_shop_time (shopid, time)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE qtx_shop_tools (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  shopid VARCHAR(32) NOT NULL DEFAULT '',
  wxid VARCHAR(32) NOT NULL DEFAULT '',
  KEY by_shop (shopid)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

USE app_hdyqm_net_c;

CREATE TABLE ims_ewei_shop_order (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  uniacid INT NOT NULL DEFAULT 0,
  ordersn VARCHAR(32) NOT NULL DEFAULT '',
  price DECIMAL(10,2) NOT NULL DEFAULT 0,
  status TINYINT NOT NULL DEFAULT 0,
  paytime INT NOT NULL DEFAULT 0,
  verifycode VARCHAR(32) NOT NULL DEFAULT '',
  verifyinfo TEXT NULL,
  KEY by_account_paid (uniacid, paytime),
  KEY by_ordersn (ordersn)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_order_goods (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  orderid INT NOT NULL DEFAULT 0,
  goodsid INT NOT NULL DEFAULT 0,
  price DECIMAL(10,2) NOT NULL DEFAULT 0,
  total INT NOT NULL DEFAULT 1,
  KEY by_order (orderid)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_goods (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  title VARCHAR(128) NOT NULL DEFAULT ''
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_order_refund (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  uniacid INT NOT NULL DEFAULT 0,
  orderid INT NOT NULL DEFAULT 0,
  orderprice DECIMAL(10,2) NOT NULL DEFAULT 0,
  status TINYINT NOT NULL DEFAULT 0,
  createtime INT NOT NULL DEFAULT 0,
  refundtime INT NOT NULL DEFAULT 0,
  KEY by_account (uniacid, status)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_creditshop_log (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  uniacid INT NOT NULL DEFAULT 0,
  goodsid INT NOT NULL DEFAULT 0,
  paytype TINYINT NOT NULL DEFAULT 0,
  paystatus TINYINT NOT NULL DEFAULT 0,
  createtime INT NOT NULL DEFAULT 0,
  KEY by_account (uniacid, createtime)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_creditshop_goods (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  money DECIMAL(10,2) NOT NULL DEFAULT 0
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_groups_order (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  uniacid INT NOT NULL DEFAULT 0,
  price DECIMAL(10,2) NOT NULL DEFAULT 0,
  status TINYINT NOT NULL DEFAULT 0,
  refundid INT NOT NULL DEFAULT 0,
  createtime INT NOT NULL DEFAULT 0,
  KEY by_account (uniacid, createtime)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE ims_ewei_shop_groups_order_refund (
  id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  uniacid INT NOT NULL DEFAULT 0,
  applyprice DECIMAL(10,2) NOT NULL DEFAULT 0,
  refundstatus TINYINT NOT NULL DEFAULT 0,
  refundtime INT NOT NULL DEFAULT 0,
  KEY by_account (uniacid, refundtime)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

-- The client's built-in accounts, each with rights on its own database only.
CREATE USER 'mrlanbo'@'%' IDENTIFIED BY 'Tq7wLm2RbX9kVd4s';
GRANT ALL PRIVILEGES ON xinghe.* TO 'mrlanbo'@'%';
CREATE USER 'app_hdyqm_net_c'@'%' IDENTIFIED BY 'Hs3uYe8PzK1cWa6n';
GRANT ALL PRIVILEGES ON app_hdyqm_net_c.* TO 'app_hdyqm_net_c'@'%';
FLUSH PRIVILEGES;
